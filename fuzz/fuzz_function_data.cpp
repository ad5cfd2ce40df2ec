// Reads arbitrary bytes as a Function Generator data file, then puts the table into a
// Function Generator and evaluates it across and beyond its bounds. Nothing may crash,
// leak or hang, and the table never exceeds its cap.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/FunctionDataFile.h"
#include "core/blocks/FunctionGenerator.h"
#include "core/model/CTarvekDoc.h"
#include "FuzzSupport.h"
#include "core/platform/Platform.h"

using namespace ondrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InstallQuietPlatform();

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    FunctionData table = ReadFunctionData(in);
    if (table.values.size() > kMaxFunctionDataValues) std::abort();

    CTarvekDoc doc;
    doc.OnNewDocument();
    auto block = doc.CreateBlock(kTypeFunctionGenerator);
    auto* generator = dynamic_cast<CFunctionGeneratorBlock*>(block.get());
    if (generator == nullptr) std::abort();
    // The first values double as the bounds, so odd bounds (NaN, equal, reversed) are met.
    if (table.values.size() > 2) {
        generator->param[2] = table.values[0];
        generator->param[3] = table.values[1];
    }
    generator->SetOrdinates(std::move(table.values));
    generator->Setup();
    CBlock& abscissa = *doc.Clock();
    generator->input[1] = &abscissa;
    for (double x : {-1e300, -1.0, 0.0, 0.25, 0.5, 1.0, 7.0, 1e300}) {
        abscissa.value = x;
        generator->Compute();
    }
    return 0;
}
