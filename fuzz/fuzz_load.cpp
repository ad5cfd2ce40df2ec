// Loads arbitrary bytes as a chart; when they load, runs the chart (with small caps on the
// work a file can ask for) and saves it to memory. Nothing may crash, leak or hang.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/CArchive.h"
#include "model/CTarvekDoc.h"
#include "model/ChartFile.h"
#include "model/views/StateOnlyViewHost.h"
#include "platform/Platform.h"

namespace {

using namespace ondrel;

class SilentMessageBox : public IMessageBox {
public:
    MsgResult Show(const std::string&, const std::string&, MsgButtons, MsgIcon) override {
        return MsgResult::Ok;
    }
};

// A file may ask for a billion intervals or steps; the fuzzer wants answers in milliseconds.
void CapTheWork(CTarvekDoc& doc) {
    CBlock* clock = doc.Clock();
    double interval = clock->param[2];
    if (std::isfinite(interval) && interval > 0 && clock->param[3] / interval > 20) clock->param[3] = 20 * interval;
    doc.maxSteps = std::min(doc.maxSteps, 200.0);
    doc.maxSort = std::min(doc.maxSort, 200);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentMessageBox box;
    static MemoryProfile profile;
    static ScopedPlatform platform(PlatformServices{&box, &profile, nullptr, nullptr, nullptr, nullptr});

    CTarvekDoc doc;
    StateOnlyViewHost host;
    CArchive ar = CArchive::ForReading({data, size});
    if (!ReadChart(ar, doc, host)) return 0;
    CapTheWork(doc);
    doc.OnRun();
    auto bytes = ChartBytes(doc, host);
    (void)bytes;
    return 0;
}
