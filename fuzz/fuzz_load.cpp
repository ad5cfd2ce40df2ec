// Loads arbitrary bytes as a chart; when they load, runs the chart (with small caps on the
// work a file can ask for) and saves it to memory. Nothing may crash, leak or hang.
#include <cstdint>

#include "core/engine/RunDriver.h"
#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "FuzzSupport.h"
#include "core/model/views/StateOnlyViewHost.h"

using namespace ondrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InstallQuietPlatform();

    CTarvekDoc doc;
    StateOnlyViewHost host;
    CArchive ar = CArchive::ForReading({data, size});
    if (!ReadChart(ar, doc, host)) return 0;
    fuzz::CapTheWork(doc, 20);
    RunChart(doc);
    auto bytes = ChartBytes(doc, host);
    (void)bytes;
    return 0;
}
