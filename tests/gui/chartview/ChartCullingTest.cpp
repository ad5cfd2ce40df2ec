// Painting only what the index finds in the visible rectangle gives exactly the pixels of
// painting with every block and connector looked at, wherever the rectangle lies, and the
// index follows the chart as it changes.
#include <QtTest>

#include <functional>
#include <random>
#include <vector>

#include "support/GuiTestRegistry.h"

#include "core/blocks/BlockTypeIds.h"
#include "gui/views/chart/ChartCulling.h"
#include "gui/views/chart/ChartPainter.h"
#include "ChartTestSupport.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::gui::test;

namespace {

// A chart over about 60 x 40 cells: blocks of one to three inputs, some flipped, each input
// fed from near or far, every tenth connector without a line (link letters).
void RandomChart(CTarvekDoc& doc, unsigned seed) {
    std::mt19937 random(seed);
    doc.OnNewDocument();
    const int types[3] = {kTypeGain, kTypeIntegrate, kTypeSum};
    std::vector<CBlock*> placed;
    for (int i = 0; i < 150; ++i) {
        CBlock* block = AddBlock(doc, types[random() % 3], static_cast<int>(random() % 60),
                                 -static_cast<int>(random() % 40), MakeColor(0, 0, 255));
        block->flipped = random() % 6 == 0 ? 1 : 0;
        block->label = "B" + std::to_string(i);
        placed.push_back(block);
    }
    for (CBlock* block : placed) {
        for (int k = 1; k <= block->inputCount; ++k) {
            if (random() % 4 == 0) continue;
            block->input[k] = placed[random() % placed.size()];
            const int row = random() % 3 == 0 ? kSingleLaneRow : -static_cast<int>(random() % 40);
            block->route[k] = {random() % 10 == 0 ? kNoRoute : static_cast<int>(random() % 5) - 2, row,
                               static_cast<int>(random() % 5) - 2, static_cast<int>(random() % 5) - 2};
        }
    }
}

}  // namespace

class ChartCullingTest : public QObject {
    Q_OBJECT

    QImage Paint(const CTarvekView& view, const ChartCulling* culling, QPoint scroll, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setClipRect(QRect(QPoint(0, 0), size));
        ChartPaintJob job{*doc_, *state_, view.Geometry(), icons_, widths_};
        job.culling = culling;
        PaintChart(painter, QRect(-scroll, QSize(8000, 5000)), kTestDpi, job);
        return image;
    }

    // The culled and the full painting agree at every one of a grid of windows.
    void CompareEverywhere(const CTarvekView& view, const ChartCulling& culling) {
        for (int x = -50; x < 3400; x += 470) {
            for (int y = -50; y < 2300; y += 330) {
                const QSize size(400 + x % 200, 300);
                const QImage culled = Paint(view, &culling, {x, y}, size);
                QCOMPARE(culled, Paint(view, nullptr, {x, y}, size));
                if (CountPixels(culled, culled.rect(), IsDark) > 100) ++drawnWindows_;
            }
        }
    }

private slots:
    void culledPaintingMatchesTheFullPassAndFollowsChanges() {
        for (unsigned seed = 1; seed <= 2; ++seed) {
            doc_ = std::make_unique<CTarvekDoc>();
            state_ = std::make_unique<ChartViewState>();
            RandomChart(*doc_, seed);
            CTarvekView view(*doc_, *state_);
            view.resize(600, 500);
            view.OnInitialUpdate();
            ChartCulling culling;
            culling.Update(*doc_, *state_, view.Geometry());
            CompareEverywhere(view, culling);

            // A block moves and a connector is rerouted: the index is brought up to date.
            CBlock& moved = *doc_->blockList[10];
            moved.position = {moved.position.x + 17, moved.position.y - 9};
            doc_->blockList[20]->route[1][kRouteRow] -= 5;
            view.Layout();
            culling.Update(*doc_, *state_, view.Geometry());
            CompareEverywhere(view, culling);
        }
        // Most windows show something, or the comparison proves little.
        QVERIFY(drawnWindows_ > 120);
    }

    // A view looks at the whole chart only after the document announces a change: a change
    // made behind its back stays unseen by its index, and each announcing operation brings
    // the index up to date (the painting then equals a fresh view's).
    void repaintFollowsAnnouncedChangesOnly() {
        doc_ = std::make_unique<CTarvekDoc>();
        state_ = std::make_unique<ChartViewState>();
        doc_->OnNewDocument();
        CBlock* source = AddBlock(*doc_, kTypeConstant, 1, -2, MakeColor(0, 0, 255));
        CBlock* target = AddBlock(*doc_, kTypeSum, 4, -1, MakeColor(0, 0, 255));
        CTarvekView view(*doc_, *state_);
        view.resize(600, 500);
        view.OnInitialUpdate();
        const QImage unconnected = Render(view);
        const auto fresh = [&] {
            CTarvekView other(*doc_, *state_);
            other.resize(600, 500);
            other.OnInitialUpdate();
            return Render(other);
        };
        // Behind the view's back: its index has no connector to show.
        target->input[1] = source;
        QCOMPARE(Render(view), unconnected);
        struct Step {
            const char* name;
            std::function<void()> change;
        };
        const std::vector<Step> steps{
            {"reroute all", [&] { doc_->RerouteAll(); }},
            {"connect", [&] { doc_->ConnectInput(target, 2, source); }},
            {"disconnect, then refresh",
             [&] {
                 target->input[1] = target->input[2] = nullptr;
                 doc_->UpdateAllViews(nullptr);
             }},
        };
        std::vector<QImage> shown;
        for (const Step& step : steps) {
            step.change();
            shown.push_back(Render(view));
            QVERIFY2(shown.back() == fresh(), step.name);
        }
        QVERIFY(shown[0] != unconnected);
        QVERIFY(shown[1] != shown[0]);
        QCOMPARE(shown[2], unconnected);
    }

private:
    std::unique_ptr<CTarvekDoc> doc_;
    std::unique_ptr<ChartViewState> state_;
    IconCache icons_;
    TextWidthCache widths_;
    int drawnWindows_ = 0;
};

ONDREL_GUI_TEST(ChartCullingTest);

#include "ChartCullingTest.moc"
