// Feeds arbitrary bytes to ondrel-run's option parsing as a command line (arguments split at
// NUL and line feed); options that parse have their --set applied to an example chart, which
// then runs as the runner would run it (with small caps on the work and the history). No
// file is opened or written whatever the options name. Nothing may crash, leak or hang.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/engine/RunDriver.h"
#include "cli/Runner.h"
#include "cli/RunnerOptions.h"
#include "core/engine/HistoryBudget.h"
#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "FuzzSupport.h"
#include "core/platform/Platform.h"

namespace {

using namespace ondrel;

// The chart the settings go to: many labelled blocks, a state and a Function Generator.
const std::vector<std::uint8_t>& ExampleChart() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::ifstream file(ONDREL_SOURCE_DIR "/examples/bouncing_ball.cht", std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
    }();
    return bytes;
}

std::vector<std::string> SplitArguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        const char ch = static_cast<char>(data[i]);
        if (ch == '\0' || ch == '\n')
            args.emplace_back();
        else
            args.back().push_back(ch);
    }
    return args;
}


}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InstallQuietPlatform();
    static ScopedHistoryBudget budget(256 * 1024);

    std::string error;
    auto options = runner::ParseRunnerOptions(SplitArguments(data, size), error);
    if (!options || options->settings.empty()) return 0;

    CTarvekDoc doc;
    StateOnlyViewHost host;
    CArchive ar = CArchive::ForReading({ExampleChart().data(), ExampleChart().size()});
    if (!ReadChart(ar, doc, host)) __builtin_trap();  // the example itself must load
    std::ostringstream err;
    if (!runner::ApplySettings(doc, *options, err)) return 0;
    fuzz::CapTheWork(doc, 50);
    RunChart(doc);
    return 0;
}
