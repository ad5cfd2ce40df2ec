// How the cost of the everyday chart operations grows with the chart: the RC ladder of the
// engine bench for N = 1,000, 4,000 and 8,000 stages (2N + 2 blocks), written to files once,
// then loaded, sorted, rerouted as a whole, run for 1,000 intervals and saved. Each figure
// also comes per block ("per_block"), which stays flat when a stage grows linearly.
//
// The charts are kept between invocations (see LadderFiles.h).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>

#include "LadderFiles.h"
#include "core/engine/RunDriver.h"

namespace ondrel {
namespace {

using namespace ondrel::bench;

void PerBlock(benchmark::State& state, const CTarvekDoc& doc) {
    state.counters["per_block"] = benchmark::Counter(
        static_cast<double>(doc.blockList.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Load(benchmark::State& state) {
    QuietPlatform quiet;
    const int stages = static_cast<int>(state.range(0));
    const std::string file = LadderFile(stages);
    std::size_t blocks = 0;
    for (auto _ : state) {
        auto doc = std::make_unique<CTarvekDoc>();
        StateOnlyViewHost host;
        if (!LoadChartFile(file, *doc, host)) state.SkipWithError("load failed");
        blocks = doc->blockList.size();
        state.PauseTiming();
        doc.reset();
        // Every load starts from memory the process has yet to touch, as opening a chart in a
        // new process does. Otherwise the allocator keeps a small chart's freed memory for the
        // next load but hands a large chart's back to the system, and the figures compare a
        // warm small load with a cold large one.
        malloc_trim(0);
        state.ResumeTiming();
    }
    state.counters["per_block"] = benchmark::Counter(
        static_cast<double>(blocks),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Sort(benchmark::State& state) {
    QuietPlatform quiet;
    StateOnlyViewHost host;
    auto doc = LoadLadder(static_cast<int>(state.range(0)), host);
    RunLists lists;
    for (auto _ : state) {
        if (!SortBlocks(*doc, lists)) state.SkipWithError("sort failed");
    }
    PerBlock(state, *doc);
}

void BM_Reroute(benchmark::State& state) {
    QuietPlatform quiet;
    StateOnlyViewHost host;
    auto doc = LoadLadder(static_cast<int>(state.range(0)), host);
    for (auto _ : state) doc->RerouteAll();
    if (quiet.box.shown != 0) state.SkipWithError("a connector found no lane");
    PerBlock(state, *doc);
}

void BM_Run(benchmark::State& state) {
    QuietPlatform quiet;
    StateOnlyViewHost host;
    auto doc = LoadLadder(static_cast<int>(state.range(0)), host);
    for (auto _ : state) RunChart(*doc);
    if (doc->Clock()->history.size() < 1000) state.SkipWithError("the run stopped early");
    PerBlock(state, *doc);
}

void BM_Save(benchmark::State& state) {
    QuietPlatform quiet;
    StateOnlyViewHost host;
    const int stages = static_cast<int>(state.range(0));
    auto doc = LoadLadder(stages, host);
    const auto file = ChartDirectory() / ("saved-" + std::to_string(stages) + ".cht");
    for (auto _ : state) {
        if (!SaveChartFile(file.string(), *doc, host)) state.SkipWithError("save failed");
    }
    PerBlock(state, *doc);
}

void Ladders(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Load)->Apply(Ladders);
BENCHMARK(BM_Sort)->Apply(Ladders);
// One reroute or run per chart loaded, so one sample each: the median of several is the figure.
BENCHMARK(BM_Reroute)->Apply(Ladders)->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Run)->Apply(Ladders)->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Save)->Apply(Ladders);

}  // namespace
}  // namespace ondrel

BENCHMARK_MAIN();
