// The chart's geometry, scroll sizes, notes wrapping, shown values and updates by hint.
#include <QScrollBar>
#include <QtTest>

#include "support/GuiTestRegistry.h"
#include <cmath>

#include "core/blocks/BlockTypeIds.h"
#include "gui/views/chart/ChartLayout.h"
#include "gui/views/chart/ChartPainter.h"
#include "ChartTestSupport.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::gui::test;

class ChartLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        doc_ = std::make_unique<CTarvekDoc>();
        doc_->OnNewDocument();
        state_ = std::make_unique<ChartViewState>();
    }
    void cleanup() {
        state_.reset();
        doc_.reset();
    }

    void cellsWithoutTextBands_data() {
        QTest::addColumn<double>("mag");
        QTest::addColumn<int>("cellWidth");
        QTest::addColumn<int>("cellHeight");
        QTest::newRow("1") << 1.0 << 32 + 15 << 15 + 24;
        QTest::newRow("2") << 2.0 << 64 + 15 << 15 + 48;
        QTest::newRow("2.5 truncated") << 2.5 << 80 + 15 << 15 + 60;
        QTest::newRow("1.9 truncated") << 1.9 << 60 + 15 << 15 + 45;
    }
    void cellsWithoutTextBands() {
        QFETCH(double, mag);
        QFETCH(int, cellWidth);
        QFETCH(int, cellHeight);
        state_->MagBmp = mag;
        state_->NameDisplay = 0;
        state_->ValueDisplay = 0;
        const ChartGeometry g = LayOutChart(*doc_, *state_, 500);
        QCOMPARE(g.cellWidth, cellWidth);
        QCOMPARE(g.cellHeight, cellHeight);
        QCOMPARE(g.originX, 15 + cellWidth / 2);
        QCOMPARE(g.originY, cellHeight / 2 + Magnified(mag, 12));
        QCOMPARE(g.lineOffset, 0);
    }

    void cellsWithLabelsAndValues() {
        const ChartGeometry g = LayOutChart(*doc_, *state_, 500);
        const QFontMetrics fm(ChartUnitFont(state_->ChartLf));
        QCOMPARE(g.leading, 1);
        QCOMPARE(g.textHeight, fm.height());
        QCOMPARE(g.valueTextWidth, fm.horizontalAdvance(QStringLiteral("+0.000e+000")));
        QCOMPARE(g.cellWidth, std::max(g.valueTextWidth, 32) + 15);
        QCOMPARE(g.cellHeight, 2 * (g.textHeight + 1 + 3) + 15 + 24);
        state_->ChartLf.height = -40;
        QCOMPARE(LayOutChart(*doc_, *state_, 500).leading, 6);
    }

    void lineOffsetMovesLanesAwayFromTheText() {
        const ChartGeometry both = LayOutChart(*doc_, *state_, 500);
        const int half = (both.leading + both.textHeight + 3) / 2;
        QCOMPARE(both.lineOffset, 0);
        state_->ValueDisplay = 0;
        QCOMPARE(LayOutChart(*doc_, *state_, 500).lineOffset, half);
        state_->ValueDisplay = 1;
        state_->NameDisplay = 0;
        QCOMPARE(LayOutChart(*doc_, *state_, 500).lineOffset, -half);
        state_->DeltaVert = 4;
        state_->DeltaHoriz = 6;
        state_->LineWidth = 3;
        const ConnectorMetrics m = ViewConnectorMetrics(LayOutChart(*doc_, *state_, 500), *state_);
        QCOMPARE(m.laneSpacingX, 7);
        QCOMPARE(m.laneSpacingY, 9);
        QCOMPARE(m.laneCorrection, -half);
    }

    void extentCoversTheBlocksButNotThePlaceholders() {
        ChartGeometry g = LayOutChart(*doc_, *state_, 500);
        QCOMPARE(g.maxColumn, 0);
        QCOMPARE(g.minRow, 0);
        QCOMPARE(g.extentX, 6 * std::int64_t{g.cellWidth} + g.originX);
        QCOMPARE(g.extentY, 6 * std::int64_t{g.cellHeight} + g.originY);
        AddBlock(*doc_, kTypeSum, 7, -4, 0);
        g = LayOutChart(*doc_, *state_, 500);
        QCOMPARE(g.extentX, 13 * std::int64_t{g.cellWidth} + g.originX);
        QCOMPARE(g.extentY, 10 * std::int64_t{g.cellHeight} + g.originY);
    }

    void scrollSizesFollowTheExtent() {
        AddBlock(*doc_, kTypeSum, 9, -7, 0);
        CTarvekView view(*doc_, *state_);
        view.resize(300, 200);
        view.OnInitialUpdate();
        const ChartGeometry& g = view.Geometry();
        const double dpi = view.DotsPerInch();
        const QSize page = view.viewport()->size();
        const int totalX = int(std::ceil(g.extentX * dpi / 100.0));
        const int totalY = int(std::ceil(g.extentY * dpi / 100.0));
        QCOMPARE(view.ScrollTotalPixels(), QSize(totalX, totalY));
        QCOMPARE(view.horizontalScrollBar()->maximum(), totalX - page.width());
        QCOMPARE(view.verticalScrollBar()->maximum(), totalY - page.height());
        QCOMPARE(view.horizontalScrollBar()->pageStep(), int(page.width() * 0.9));
        QCOMPARE(view.verticalScrollBar()->singleStep(), int(std::ceil(g.cellHeight * dpi / 100.0)));
    }

    void updatesLayOutOnlyWithoutAHintObject() {
        CTarvekView view(*doc_, *state_);
        view.OnInitialUpdate();
        auto pending = doc_->CreateBlock(kTypeSum);
        pending->position = GridPoint{20, -1};
        CBlock* block = pending.get();
        doc_->blockList.push_back(std::move(pending));
        view.OnUpdate(nullptr, UpdateHint::BlockPlaced, block);
        QCOMPARE(view.Geometry().maxColumn, 0);
        view.OnUpdate(nullptr, UpdateHint::Refresh, nullptr);
        QCOMPARE(view.Geometry().maxColumn, 20);
    }

    void viewAttachesToItsDocumentForItsLifetime() {
        const auto before = doc_->Views().size();
        {
            CTarvekView view(*doc_, *state_);
            QCOMPARE(doc_->Views().size(), before + 1);
        }
        QCOMPARE(doc_->Views().size(), before);
    }

    void notesWrapAtBreakCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("limitText");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("fits") << "alpha beta" << "alpha beta gamma" << QStringList{"alpha beta"};
        QTest::newRow("wraps at blank") << "alpha beta gamma" << "alpha beta " << QStringList{"alpha beta", "gamma"};
        QTest::newRow("wraps after punctuation") << "one,two;three" << "one,two;" << QStringList{"one,two;", "three"};
        QTest::newRow("long word still placed") << "abcdefghijklmnop" << "abc" << QStringList{"abcdefghijklmnop"};
        QTest::newRow("line break") << "first\r\nsecond" << "first second third" << QStringList{"first", "second"};
        QTest::newRow("trailing blanks trimmed") << "alpha   " << "alpha" << QStringList{"alpha"};
    }
    void notesWrapAtBreakCharacters() {
        QFETCH(QString, text);
        QFETCH(QString, limitText);
        QFETCH(QStringList, lines);
        const QFont font = ChartUnitFont(state_->NotesLf);
        const int limit = QFontMetrics(font).horizontalAdvance(limitText);
        QCOMPARE(WrapNotes(text, font, limit), lines);
    }

    void notesHeightCountsTheWrappedLines() {
        state_->notes = "alpha beta gamma";
        state_->NotesDisplay = 1;
        const QFont font = ChartUnitFont(state_->NotesLf);
        const int limit = QFontMetrics(font).horizontalAdvance(QStringLiteral("alpha beta "));
        const ChartGeometry g = LayOutChart(*doc_, *state_, limit);
        QCOMPARE(g.notesLines.size(), 2);
        QCOMPARE(g.notesHeight, 2 * QFontMetrics(font).height());
        QCOMPARE(g.originY, g.cellHeight / 2 + g.notesHeight + 12);
        state_->NotesDisplay = 0;
        QCOMPARE(LayOutChart(*doc_, *state_, limit).notesHeight, 0);
    }

    void shownValueIsTheSnapshotSampleOrTheInitialValue() {
        CBlock* sum = AddBlock(*doc_, kTypeSum, 1, 0, 0);
        sum->history = {1.0, -0.25, 12345.678};
        sum->value = 99.0;
        doc_->snapshotIndex = 1;
        QCOMPARE(ShownValueText(*doc_, *sum), QStringLiteral("-2.500e-001"));
        doc_->snapshotIndex = 2;
        QCOMPARE(ShownValueText(*doc_, *sum), QStringLiteral("1.235e+004"));
        doc_->snapshotIndex = 7;
        QCOMPARE(ShownValueText(*doc_, *sum), QStringLiteral("0.000e+000"));
        sum->initFlag = 1;
        QCOMPARE(ShownValueText(*doc_, *sum), QStringLiteral("9.900e+001"));
    }

private:
    std::unique_ptr<CTarvekDoc> doc_;
    std::unique_ptr<ChartViewState> state_;
};

ONDREL_GUI_TEST(ChartLayoutTest);

#include "ChartLayoutTest.moc"
