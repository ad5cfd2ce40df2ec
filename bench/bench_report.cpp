// The text view's report of a large chart: every block listed with its inputs, parameters
// and the inputs it feeds, sorted by name.
#include <benchmark/benchmark.h>

#include <string>

#include "LadderChart.h"
#include "core/model/views/ChartReport.h"
#include "core/model/views/TextViewState.h"

namespace ondrel::bench {
namespace {

// A ladder of 1,000 stages (2,002 blocks beside the Clock's outputs), each block labelled
// on its own and holding a few samples.
CTarvekDoc& LargeChart() {
    static CTarvekDoc doc;
    static bool built = false;
    if (!built) {
        BuildLadder(doc, 1000);
        int n = 0;
        for (auto& block : doc.blockList) {
            block->label = std::string(block->typeName) + " " + std::to_string(n++ * 7919 % 2003);
            block->history = {0.0, 0.5 * n, 1.0 / n};
        }
        doc.snapshotIndex = 2;
        built = true;
    }
    return doc;
}

void BM_ReportWithOutConnections(benchmark::State& state) {
    CTarvekDoc& doc = LargeChart();
    TextViewState view;
    view.InfoOutConnections = 1;
    view.InfoNotes = 1;
    view.SortBlocks = static_cast<int>(state.range(0));
    view.ChooseEverything(doc);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = ChartReportText(view, doc, {2026, 12, 9});
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["blocks"] = static_cast<double>(doc.blockList.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ReportWithOutConnections)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ondrel::bench

BENCHMARK_MAIN();
