// The text view of a large chart: the report generated and put into the window (font,
// colour, tab stops on the whole text), then one screenful painted, as a regeneration after
// Apply or, with AutoUpdate, after a change of the chart costs.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

#include "LadderChart.h"
#include "core/model/views/TextViewState.h"
#include "gui/views/text/CChrtText.h"

namespace {

using namespace ondrel;

struct TextChart {
    CTarvekDoc doc;
    TextViewState state;
    std::unique_ptr<gui::CChrtText> view;
};

// A ladder of 1,000 stages (2,002 blocks beside the Clock's outputs), each block labelled on
// its own, with the inputs each block feeds listed.
TextChart& SharedChart() {
    static std::unique_ptr<TextChart> chart = [] {
        auto c = std::make_unique<TextChart>();
        bench::BuildLadder(c->doc, 1000);
        int n = 0;
        for (auto& block : c->doc.blockList) block->label = std::string(block->typeName) + " " + std::to_string(n++);
        c->state.InfoOutConnections = 1;
        c->view = std::make_unique<gui::CChrtText>(c->doc, c->state);
        c->view->resize(800, 600);
        c->view->OnInitialUpdate(true);
        return c;
    }();
    return *chart;
}

void BM_RegenerateAndShow(benchmark::State& state) {
    TextChart& chart = SharedChart();
    QImage image(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        chart.view->Regenerate();
        QPainter painter(&image);
        chart.view->viewport()->render(&painter);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["bytes"] = static_cast<double>(chart.view->ReportText().size());
}
BENCHMARK(BM_RegenerateAndShow)->Unit(benchmark::kMillisecond);

}  // namespace
