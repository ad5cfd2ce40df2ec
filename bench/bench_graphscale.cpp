// A graph of long runs: rescaling three curves of 1,000,000 samples, and reducing one such
// curve to the polylines of a 1280-pixel-wide plot, whole and zoomed to a tenth of it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "core/blocks/CBlock.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/GraphCurves.h"
#include "core/model/views/GraphScale.h"

namespace {

using namespace ondrel;

constexpr std::int64_t kSamples = 1'000'000;

class SampleBlock : public CBlock {
public:
    explicit SampleBlock(CTarvekDoc* doc) : CBlock(0, doc, 0, 0) {}
    void Compute() override {}
};

// Time against time, a noisy sine, a slow ramp and a square wave.
struct LongRun {
    LongRun() {
        for (int i = 0; i < 4; ++i) {
            doc.blockList.push_back(std::make_unique<SampleBlock>(&doc));
            doc.blockList.back()->history.resize(kSamples);
        }
        std::uint32_t noise = 12345;
        for (std::int64_t j = 0; j < kSamples; ++j) {
            noise = noise * 1103515245u + 12345u;
            const double t = j * 1e-3;
            Block(0)->history[j] = t;
            Block(1)->history[j] = std::sin(t) + (noise >> 16) / 65536.0 * 0.2;
            Block(2)->history[j] = t * 0.5 - 3.0;
            Block(3)->history[j] = std::fmod(t, 2.0) < 1.0 ? 1.0 : -1.0;
        }
        for (int i = 0; i <= 3; ++i) graph.axisSlots[i].block.Set(Block(i));
        graph.curveCount = 3;
    }
    CBlock* Block(int i) { return doc.blockList[i].get(); }

    CTarvekDoc doc;
    GraphViewState graph;
};

LongRun& Run() {
    static LongRun run;
    return run;
}

void BM_RescaleThreeCurves(benchmark::State& state) {
    LongRun& run = Run();
    GraphScale scale;
    for (auto _ : state) {
        RescaleGraph(run.graph, kSamples, scale);
        benchmark::DoNotOptimize(scale.slots[3].high);
    }
}

void ReduceCurve(benchmark::State& state, double xLow, double xHigh) {
    LongRun& run = Run();
    GraphScale scale;
    RescaleGraph(run.graph, kSamples, scale);
    GraphSlotScale x = scale.slots[0];
    x.low = xLow;
    x.high = xHigh;
    const PlotArea plot{60.0, 20.0, 1340.0, 880.0};  // 1280 columns
    CurvePolylines curve;
    for (auto _ : state) {
        curve.Build(*run.Block(0), *run.Block(1), kSamples, x, scale.slots[1], plot, 2.0);
        benchmark::DoNotOptimize(curve.PointCount());
    }
    state.counters["points"] = static_cast<double>(curve.PointCount());
}

void BM_ReduceCurveTo1280Columns(benchmark::State& state) { ReduceCurve(state, 0.0, 1000.0); }
void BM_ReduceZoomedCurve(benchmark::State& state) { ReduceCurve(state, 450.0, 550.0); }

BENCHMARK(BM_RescaleThreeCurves)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceCurveTo1280Columns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceZoomedCurve)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
