// List view repaint speed: 100 columns (the Clock and 99 generators) of 1,000,000 samples
// each, a 1280 x 900 window painted offscreen through the view's own paint path at the
// first rows, the middle and the last rows, and a page scroll followed by its repaint.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/ListViewState.h"
#include "gui/views/output/CListBase.h"

namespace {

using namespace ondrel;

constexpr int kBlocks = 99;
constexpr std::size_t kSamples = 1'000'000;
constexpr int kWidth = 1280;
constexpr int kHeight = 900;

struct List {
    CTarvekDoc doc;
    ListViewState state;
    std::unique_ptr<gui::CListBase> view;
};

std::unique_ptr<List> MakeList() {
    auto list = std::make_unique<List>();
    CTarvekDoc& doc = list->doc;
    doc.OnNewDocument();
    for (int i = 0; i < kBlocks; ++i) {
        doc.PlaceBlock(doc.CreateBlock(kTypeSineWaveGenerator), 1 + i % 10, -(i / 10));
    }
    for (const auto& block : doc.blockList) {
        block->history.resize(kSamples);
        for (std::size_t j = 0; j < kSamples; ++j) block->history[j] = 1e-3 * double(j) * (1 + block->position.x);
    }
    list->view = std::make_unique<gui::CListBase>(doc, list->state);
    list->view->resize(kWidth, kHeight);
    list->view->OnInitialUpdate(true);
    return list;
}

List& SharedList() {
    static std::unique_ptr<List> list = MakeList();
    return *list;
}

void Paint(QImage& image, gui::CListBase& view) {
    QPainter painter(&image);
    view.Paint(painter, image.rect(), view.DotsPerInch());
}

// arg: 0 the first rows, 1 the middle, 2 the last rows.
void BM_RepaintWindow(benchmark::State& state) {
    List& list = SharedList();
    const std::int64_t rows[3] = {0, std::int64_t{kSamples} / 2, std::int64_t{kSamples}};
    list.view->ScrollTo(0, rows[state.range(0)]);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        Paint(image, *list.view);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["first_row"] = double(list.view->FirstRow());
    state.counters["columns"] = double(list.state.displayedBlocks.size());
}
BENCHMARK(BM_RepaintWindow)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// A page down from the middle and its repaint, as Page Down does.
void BM_PageScroll(benchmark::State& state) {
    List& list = SharedList();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const std::int64_t middle = std::int64_t{kSamples} / 2;
    std::int64_t row = middle;
    for (auto _ : state) {
        row = row + 40 < std::int64_t{kSamples} ? row + 40 : middle;
        list.view->ScrollTo(0, row);
        Paint(image, *list.view);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PageScroll)->Unit(benchmark::kMillisecond);

}  // namespace
