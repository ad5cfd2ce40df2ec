// Graph view repaint speed: a 1280 x 900 graph of three curves of N samples against time,
// painted offscreen through the same painting function as the window. Also the rescale of
// the three curves and the first repaint after a drag zoom (rescale with fixed limits, then
// paint), which is what the user waits for on releasing the mouse.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>
#include <random>

#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/GraphViewState.h"
#include "gui/views/output/GraphDrawing.h"
#include "gui/views/output/GraphTextMeasurer.h"

namespace {

using namespace ondrel;

struct Graph {
    CTarvekDoc doc;
    GraphViewState state;
    gui::GraphDrawing drawing;
    QImage image{1280, 900, QImage::Format_RGB32};
};

// Time, a noisy sine, a ramp and a damped cosine.
std::unique_ptr<Graph> MakeGraph(std::int64_t samples) {
    auto g = std::make_unique<Graph>();
    g->doc.OnNewDocument();
    std::mt19937 random(1);
    std::uniform_real_distribution<double> noise(-0.2, 0.2);
    CBlock* curves[3] = {};
    for (int i = 0; i < 3; ++i) {
        auto pending = g->doc.CreateBlock(kTypeSum);
        g->doc.PlaceBlock(std::move(pending), 2 + i, 2);
        curves[i] = g->doc.blockList.back().get();
        curves[i]->history.reserve(static_cast<std::size_t>(samples));
    }
    auto& time = g->doc.Clock()->history;
    time.reserve(static_cast<std::size_t>(samples));
    for (std::int64_t j = 0; j < samples; ++j) {
        const double t = static_cast<double>(j) * 1e-3;
        time.push_back(t);
        curves[0]->history.push_back(std::sin(t) + noise(random));
        curves[1]->history.push_back(t * 0.5);
        curves[2]->history.push_back(std::exp(-t * 1e-3) * std::cos(t * 0.1));
    }
    g->state.CompleteDefaults(g->doc);
    for (int k = 1; k <= 3; ++k) g->state.axisSlots[k].block.Set(curves[k - 1]);
    g->state.curveCount = 3;
    return g;
}

void Paint(Graph& g) {
    QPainter painter(&g.image);
    g.drawing.Paint(painter, g.image.rect(), 96.0, g.state, g.doc);
}

void Rescale(Graph& g) {
    gui::GraphTextMeasurer measurer(&g.image, 96.0);
    g.drawing.Rescale(g.state, g.doc, measurer);
}

// A repaint with new samples: every curve's points are built again.
void BM_RepaintThreeCurves(benchmark::State& s) {
    auto g = MakeGraph(s.range(0));
    Rescale(*g);
    Paint(*g);  // the buffers of the first repaint
    for (auto _ : s) {
        g->drawing.ForgetCurves();
        Paint(*g);
    }
}
BENCHMARK(BM_RepaintThreeCurves)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A repaint of the same graph (uncovered, or the readout's cursor line moving).
void BM_RepaintUnchanged(benchmark::State& s) {
    auto g = MakeGraph(s.range(0));
    Rescale(*g);
    Paint(*g);
    for (auto _ : s) Paint(*g);
}
BENCHMARK(BM_RepaintUnchanged)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_RescaleThreeCurves(benchmark::State& s) {
    auto g = MakeGraph(s.range(0));
    for (auto _ : s) Rescale(*g);
}
BENCHMARK(BM_RescaleThreeCurves)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The middle half of X and of every curve, fixed, as a drag zoom leaves them.
void BM_FirstRepaintAfterZoom(benchmark::State& s) {
    auto g = MakeGraph(s.range(0));
    Rescale(*g);
    Paint(*g);
    GraphViewState& state = g->state;
    double lows[4], highs[4];
    for (int i = 0; i <= 3; ++i) {
        lows[i] = state.axisSlots[i].Low;
        highs[i] = state.axisSlots[i].High;
    }
    for (auto _ : s) {
        for (int i = 0; i <= 3; ++i) {
            const double quarter = (highs[i] - lows[i]) / 4;
            state.axisSlots[i].Low = lows[i] + quarter;
            state.axisSlots[i].High = highs[i] - quarter;
            state.axisSlots[i].Fixed = 1;
        }
        Rescale(*g);
        Paint(*g);
        s.PauseTiming();
        for (GraphSlot& slot : state.axisSlots) slot.Fixed = 0;
        s.ResumeTiming();
    }
}
BENCHMARK(BM_FirstRepaintAfterZoom)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
