// Where clicks land: grid snapping at the tolerance, ports of plain and flipped blocks, and
// inputs that already have a source.
#include <QtTest>

#include "ChartTestSupport.h"
#include "GuiTestRegistry.h"
#include "gui/views/chart/ChartHitTest.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::gui::test;

namespace {
constexpr int kGain = 61631;  // one input
constexpr int kSum = 61595;   // three inputs
}  // namespace

class ChartHitTestTest : public QObject {
    Q_OBJECT
private slots:
    void snapping_data() {
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<bool>("snaps");
        QTest::newRow("centre") << QPoint(0, 0) << true;
        QTest::newRow("10 right, 10 down") << QPoint(10, -10) << true;
        QTest::newRow("10 left, 10 up") << QPoint(-10, 10) << true;
        QTest::newRow("11 right") << QPoint(11, 0) << false;
        QTest::newRow("11 down") << QPoint(0, -11) << false;
    }
    void snapping() {
        QFETCH(QPoint, offset);
        QFETCH(bool, snaps);
        ChartGeometry g;
        g.cellWidth = 80;
        g.cellHeight = 70;
        g.originX = 55;
        g.originY = 40;
        const GridPoint cell{3, -2};
        const auto snapped = SnapToGrid(g, CellCentre(g, cell) + offset, 10, 10);
        QCOMPARE(snapped.has_value(), snaps);
        if (snaps) QCOMPARE(*snapped, cell);
        // Left of the first column and above the first row there is no grid.
        QVERIFY(!SnapToGrid(g, CellCentre(g, {0, 0}) + QPoint(-g.cellWidth, 0), 10, 10));
        QVERIFY(!SnapToGrid(g, CellCentre(g, {0, 0}) + QPoint(0, g.cellHeight), 10, 10));
    }

    void portsOfPlainAndFlippedBlocks() {
        CTarvekDoc doc;
        doc.OnNewDocument();
        ChartViewState state;
        CBlock* gain = AddBlock(doc, kGain, 1, 0, 0);
        CBlock* sum = AddBlock(doc, kSum, 3, 0, 0);
        ChartGeometry g;
        g.cellWidth = 80;
        g.cellHeight = 70;
        g.originX = 55;
        g.originY = 40;
        const QPoint gc = CellCentre(g, gain->position);
        // Output right at slot 7, the one input left at slot 11.
        auto hit = PortAt(doc, g, 1.0, gc + QPoint(13, 4));
        QVERIFY(hit && hit->block == gain && hit->port == 0);
        hit = PortAt(doc, g, 1.0, gc + QPoint(-13, 0));
        QVERIFY(hit && hit->block == gain && hit->port == 1);
        QVERIFY(!PortAt(doc, g, 1.0, gc + QPoint(-13, 8)));  // no upper input on a Gain
        // Flipped, the sides swap and so does the connection point.
        gain->flipped = 1;
        hit = PortAt(doc, g, 1.0, gc + QPoint(-13, 4));
        QVERIFY(hit && hit->port == 0);
        QCOMPARE(PortConnectionPoint(g, 1.0, *hit), gc + QPoint(-15, 4));
        // Three inputs: upper, middle, lower are 1, 2, 3; one with a source counts as no hit.
        const QPoint sc = CellCentre(g, sum->position);
        for (int k = 1; k <= 3; ++k) {
            const int slot = k == 1 ? 3 : k == 2 ? 11 : 19;
            hit = PortAt(doc, g, 1.0, sc + QPoint(-14, 11 - slot));
            QVERIFY(hit && hit->block == sum && hit->port == k);
        }
        sum->input[2] = gain;
        QVERIFY(!PortAt(doc, g, 1.0, sc + QPoint(-14, 0)));
        // Blocks are hit strictly inside their icon square.
        QCOMPARE(BlockAt(doc, g, 1.0, sc + QPoint(10, -10)), sum);
        QVERIFY(BlockAt(doc, g, 1.0, sc + QPoint(11, 0)) == nullptr);
    }
};

ONDREL_GUI_TEST(ChartHitTestTest);
#include "ChartHitTestTest.moc"
