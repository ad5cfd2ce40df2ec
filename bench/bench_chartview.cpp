// Chart view repaint speed: a 500-block chart (25 columns x 20 rows) with every block wired
// to its left neighbour and most of them also to a block further away, painted offscreen.
// Measured two ways: the whole chart into one image (every block, connector, label and
// mark), and one 800 x 600 screenful, which is what a window repaint costs. Printing is
// measured as File > Print to PDF makes it: every page of the chart, into a PDF in memory.
// Then the 8,000-stage ladder (16,002 blocks) read from its file: opening it to the first
// painted screenful, and a screenful repainted at its start, middle and end.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <algorithm>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <memory>

#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/ChartViewState.h"
#include "gui/printing/PrintJob.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "gui/views/chart/CTarvekView.h"
#include "LadderFiles.h"

namespace {

using namespace ondrel;

constexpr int kColumns = 25;
constexpr int kRows = 20;

struct Chart {
    CTarvekDoc doc;
    ChartViewState state;
    std::unique_ptr<gui::CTarvekView> view;
};

// columns x rows blocks: Gain, Integrate and Sum in turn; input 1 from the left neighbour,
// input 2 (where the type has one) from the block two rows up and three columns left.
std::unique_ptr<Chart> MakeChart(int columns = kColumns, int rows = kRows) {
    auto chart = std::make_unique<Chart>();
    CTarvekDoc& doc = chart->doc;
    doc.OnNewDocument();
    const int types[3] = {kTypeGain, kTypeIntegrate, kTypeSum};
    std::vector<CBlock*> grid;
    for (int i = 0; i < columns * rows; ++i) {
        auto pending = doc.CreateBlock(types[i % 3]);
        grid.push_back(pending.get());
        doc.PlaceBlock(std::move(pending), 1 + i % columns, -(i / columns));
    }
    for (int i = 0; i < columns * rows; ++i) {
        const int x = i % columns;
        const int y = i / columns;
        CBlock* block = grid[i];
        block->history = {0.5 * i};
        doc.ConnectInput(block, 1, x > 0 ? grid[i - 1] : doc.Clock());
        if (block->inputCount >= 2 && y >= 2 && x >= 3) doc.ConnectInput(block, 2, grid[i - 2 * columns - 3]);
    }
    chart->view = std::make_unique<gui::CTarvekView>(doc, chart->state);
    chart->view->resize(800, 600);
    chart->view->OnInitialUpdate();
    return chart;
}

Chart& SharedChart() {
    static std::unique_ptr<Chart> chart = MakeChart();
    return *chart;
}

void PaintInto(QImage& image, gui::CTarvekView& view, double dpi) {
    image.fill(Qt::white);
    QPainter painter(&image);
    view.Paint(painter, QRect(QPoint(0, 0), image.size()), dpi);
}

void BM_RepaintWholeChart(benchmark::State& state) {
    Chart& chart = SharedChart();
    const double dpi = chart.view->DotsPerInch();
    QImage image(chart.view->ScrollTotalPixels(), QImage::Format_RGB32);
    for (auto _ : state) {
        PaintInto(image, *chart.view, dpi);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["pixels"] = image.width() * image.height();
}
BENCHMARK(BM_RepaintWholeChart)->Unit(benchmark::kMillisecond);

void BM_RepaintScreenful(benchmark::State& state) {
    Chart& chart = SharedChart();
    const double dpi = chart.view->DotsPerInch();
    QImage image(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        PaintInto(image, *chart.view, dpi);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RepaintScreenful)->Unit(benchmark::kMillisecond);

// All pages of a chart into a PDF in memory.
void PrintAllPages(benchmark::State& state, Chart& chart) {
    const gui::PrintContext context{QStringLiteral("/charts/ladder.cht"), QStringLiteral("01/01/26")};
    qint64 bytes = 0;
    int pages = 0;
    for (auto _ : state) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        pages = chart.view->BeginPrinting(writer, context);
        chart.view->EndPrinting();
        gui::PrintViews({chart.view.get()}, writer, context);
        bytes = pdf.size();
    }
    state.counters["pages"] = pages;
    state.counters["bytes"] = static_cast<double>(bytes);
}
void BM_PrintAllPagesToPdf(benchmark::State& state) { PrintAllPages(state, SharedChart()); }
BENCHMARK(BM_PrintAllPagesToPdf)->Unit(benchmark::kMillisecond);

// A chart of 4,000 blocks, 160 columns by 25 rows, over about 32 pages: the cost per page
// should not grow with the whole chart.
void BM_PrintLargeChartToPdf(benchmark::State& state) {
    static std::unique_ptr<Chart> chart = MakeChart(160, 25);
    PrintAllPages(state, *chart);
}
BENCHMARK(BM_PrintLargeChartToPdf)->Unit(benchmark::kMillisecond);
constexpr int kLadderStages = 8000;

struct OpenedLadder {
    ondrel::bench::QuietPlatform quiet;
    StateOnlyViewHost host;
    std::unique_ptr<CTarvekDoc> doc;
    std::unique_ptr<gui::CTarvekView> view;
};

// As the desktop program opens a chart: read the file, make its chart view, lay it out and
// paint the first screenful.
std::unique_ptr<OpenedLadder> OpenLadder(QImage& screen) {
    auto opened = std::make_unique<OpenedLadder>();
    opened->doc = ondrel::bench::LoadLadder(kLadderStages, opened->host);
    ChartViewState* state = opened->host.FirstChartView(*opened->doc);
    opened->view = std::make_unique<gui::CTarvekView>(*opened->doc, *state);
    opened->view->resize(800, 600);
    opened->view->OnInitialUpdate();
    PaintInto(screen, *opened->view, opened->view->DotsPerInch());
    return opened;
}

void BM_OpenLadder(benchmark::State& state) {
    ondrel::bench::LadderFile(kLadderStages);  // written before the timing, when missing
    QImage screen(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        auto opened = OpenLadder(screen);
        state.PauseTiming();
        opened.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLadder)->Unit(benchmark::kMillisecond);

// Arg: where the screenful lies along the chart, in percent of its width.
void BM_RepaintLadderScreenful(benchmark::State& state) {
    static QImage screen(800, 600, QImage::Format_RGB32);
    static std::unique_ptr<OpenedLadder> ladder = OpenLadder(screen);
    gui::CTarvekView& view = *ladder->view;
    const QSize total = view.ScrollTotalPixels();
    const int x = static_cast<int>(std::max(0, total.width() - 800) * state.range(0) / 100);
    for (auto _ : state) {
        screen.fill(Qt::white);
        QPainter painter(&screen);
        painter.setClipRect(QRect(0, 0, 800, 600));
        view.Paint(painter, QRect(QPoint(-x, 0), total), view.DotsPerInch());
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(BM_RepaintLadderScreenful)->Arg(0)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
