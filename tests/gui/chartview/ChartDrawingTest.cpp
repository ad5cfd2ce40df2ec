// What a chart looks like once painted: icons, holding marks, markers, connectors, link
// letters and the selection, checked at the pixels the geometry puts them on.
#include <QtTest>

#include "support/GuiTestRegistry.h"

#include "core/blocks/BlockTypeIds.h"
#include "core/model/ConnectorGeometry.h"
#include "gui/resources/BlockIcons.h"
#include "gui/views/chart/ChartLayout.h"
#include "ChartTestSupport.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::gui::test;

namespace {

constexpr ColorRef kBlue = MakeColor(0, 0, 255);
constexpr ColorRef kGreen = MakeColor(0, 160, 0);

// True when the 24 x 24 square at topLeft shows exactly the given icon image.
bool ShowsIcon(const QImage& image, QPoint topLeft, const QImage& icon) {
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (image.pixel(topLeft.x() + x, topLeft.y() + y) != icon.pixel(x, y)) return false;
    return true;
}

QPoint IconTopLeft(const CTarvekView& view, const CBlock& block) {
    const QPoint c = CellCentre(view.Geometry(), block.position);
    return ToPixel(QPoint(c.x() - 11, c.y() + 11));
}

// A colour-coded pixel anywhere within one pixel of p.
bool ColourNear(const QImage& image, QPoint p, const QColor& colour) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.rect().contains(p.x() + dx, p.y() + dy) && image.pixelColor(p.x() + dx, p.y() + dy) == colour)
                return true;
    return false;
}

// The middle of the longest segment of a connector, as a pixel.
QPoint LongestSegmentMiddle(const ConnectorPoints& p) {
    int best = 0;
    std::int64_t bestLength = -1;
    for (int i = 0; i < 5; ++i) {
        const std::int64_t length = std::abs(p[i + 1].x - p[i].x) + std::abs(p[i + 1].y - p[i].y);
        if (length > bestLength) bestLength = length, best = i;
    }
    return ToPixel(QPoint(static_cast<int>((p[best].x + p[best + 1].x) / 2),
                          static_cast<int>((p[best].y + p[best + 1].y) / 2)));
}

}  // namespace

class ChartDrawingTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        doc_ = std::make_unique<CTarvekDoc>();
        doc_->OnNewDocument();
        state_ = std::make_unique<ChartViewState>();
        view_ = std::make_unique<CTarvekView>(*doc_, *state_);
        view_->resize(600, 500);
        source_ = AddBlock(*doc_, kTypeConstant, 1, -2, kGreen);
        target_ = AddBlock(*doc_, kTypeSum, 4, -1, kBlue);
        view_->OnInitialUpdate();
    }
    void cleanup() {
        view_.reset();
        state_.reset();
        doc_.reset();
    }

    void iconsFillTheirSquares_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("colour") << 0;
        QTest::newRow("monochrome") << 1;
    }
    void iconsFillTheirSquares() {
        QFETCH(int, mode);
        state_->DisplayMode = mode;
        const QImage image = Render(*view_);
        for (const CBlock* block : {source_, target_}) {
            const QImage icon = BlockIconImage(block->bitmapId, mode == 1, 24);
            QVERIFY2(ShowsIcon(image, IconTopLeft(*view_, *block), icon), block->label.c_str());
        }
    }

    void holdingMarksAreSquaresAtFreeGridPositions_data() {
        QTest::addColumn<int>("halfSize");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("default") << 2 << 0 << QColor(255, 0, 0);
        QTest::newRow("larger") << 4 << 0 << QColor(255, 0, 0);
        QTest::newRow("monochrome") << 2 << 1 << QColor(0, 0, 0);
    }
    void holdingMarksAreSquaresAtFreeGridPositions() {
        QFETCH(int, halfSize);
        QFETCH(int, mode);
        QFETCH(QColor, colour);
        state_->HoldSiz = halfSize;
        state_->DisplayMode = mode;
        const QImage image = Render(*view_);
        const QPoint mark = ToPixel(CellCentre(view_->Geometry(), GridPoint{2, -3}));
        const QRect square(mark.x() - halfSize, mark.y() - halfSize, 2 * halfSize, 2 * halfSize);
        QCOMPARE(CountPixels(image, square, [&](const QColor& c) { return c == colour; }), square.width() * square.height());
        QCOMPARE(At(image, square.right() + 2, mark.y()), QColor(Qt::white));
        QCOMPARE(At(image, mark.x(), square.bottom() + 2), QColor(Qt::white));
    }

    void portMarkersAndInitialisationMark() {
        const QImage image = Render(*view_);
        // The Constant's output arrow: the tall column right of the stub, five units high.
        const QPoint c = CellCentre(view_->Geometry(), source_->position);
        const QPoint tall = ToPixel(QPoint(c.x() + 14, c.y() + 4 + 2));
        QCOMPARE(CountPixels(image, QRect(tall.x(), tall.y(), 1, 5), IsDark), 5);
        // Its initialisation bar: 2 x 8, red, beside the icon below the arrow.
        const QPoint bar = ToPixel(QPoint(c.x() + 13, c.y() - 4));
        QCOMPARE(CountPixels(image, QRect(bar.x(), bar.y(), 2, 8), [](const QColor& p) { return p == Qt::red; }), 16);
        // The Sum's top input arrow: its tall column three units left of the stub.
        const QPoint t = CellCentre(view_->Geometry(), target_->position);
        const QPoint input = ToPixel(QPoint(t.x() - 12 - 3, t.y() + 8 + 2));
        QCOMPARE(CountPixels(image, QRect(input.x(), input.y(), 1, 5), IsDark), 5);
        // The Sum has no initialisation bar.
        const QPoint noBar = ToPixel(QPoint(t.x() + 13, t.y() - 4));
        QCOMPARE(CountPixels(image, QRect(noBar.x(), noBar.y(), 2, 8), [](const QColor& p) { return p == Qt::red; }), 0);
    }

    void connectorIsDrawnInItsSourceColour() {
        doc_->ConnectInput(target_, 1, source_);
        QVERIFY(target_->route[1][kRouteTargetLane] != kNoRoute);
        const auto points = ConnectorGeometry(*target_, 1, ViewConnectorMetrics(view_->Geometry(), *state_));
        QVERIFY(points.has_value());
        const QPoint middle = LongestSegmentMiddle(*points);
        QVERIFY(ColourNear(Render(*view_), middle, QColor(0, 160, 0)));
        state_->DisplayMode = 1;
        QVERIFY(ColourNear(Render(*view_), middle, QColor(Qt::black)));
    }

    void unroutedConnectorShowsTheLinkLetterAtBothEnds() {
        doc_->ConnectInput(target_, 1, source_);
        const auto points = *ConnectorGeometry(*target_, 1, ViewConnectorMetrics(view_->Geometry(), *state_));
        const QPoint middle = LongestSegmentMiddle(points);
        target_->route[1][kRouteTargetLane] = kNoRoute;
        source_->linkLetter = "W";
        const QImage image = Render(*view_);
        QVERIFY(!ColourNear(image, middle, QColor(0, 160, 0)));
        const QFontMetrics fm(ChartUnitFont(state_->ChartLf));
        const int width = fm.horizontalAdvance(QStringLiteral("W"));
        const int lead = view_->Geometry().leading;
        const int half = fm.height() / 2;
        const QPoint atInput = ToPixel(QPoint(int(points[0].x) - width - lead, int(points[0].y) + half));
        const QPoint atOutput = ToPixel(QPoint(int(points[5].x) + lead, int(points[5].y) + half));
        QVERIFY(CountPixels(image, QRect(atInput, QSize(width, fm.height())), IsDark) > 5);
        QVERIFY(CountPixels(image, QRect(atOutput, QSize(width, fm.height())), IsDark) > 5);
    }

    void selectedBlockIsInverted() {
        view_->SetSelectedBlock(target_);
        const QImage image = Render(*view_);
        QImage inverted = BlockIconImage(target_->bitmapId, false, 24);
        inverted.invertPixels();
        QVERIFY(ShowsIcon(image, IconTopLeft(*view_, *target_), inverted));
        QVERIFY(ShowsIcon(image, IconTopLeft(*view_, *source_), BlockIconImage(source_->bitmapId, false, 24)));
    }

    void deletingTheSelectedBlockClearsTheSelection() {
        view_->SetSelectedBlock(target_);
        doc_->DeleteBlock(target_);
        QCOMPARE(view_->SelectedBlock(), nullptr);
    }

    void labelBelowAndValueAboveTheIcon() {
        const QPoint c = CellCentre(view_->Geometry(), target_->position);
        const ChartGeometry& g = view_->Geometry();
        const QPoint label = ToPixel(QPoint(c.x() - g.cellWidth / 2, c.y() - 13 - g.leading));
        const QPoint value = ToPixel(QPoint(c.x() - g.cellWidth / 2, c.y() + 11 + g.leading + g.textHeight));
        const QRect labelBand(label, QSize(g.cellWidth, g.textHeight));
        const QRect valueBand(value, QSize(g.cellWidth, g.textHeight));
        QImage image = Render(*view_);
        QVERIFY(CountPixels(image, labelBand, IsDark) > 10);
        QVERIFY(CountPixels(image, valueBand, IsDark) > 10);
        state_->NameDisplay = 0;
        state_->ValueDisplay = 0;
        view_->Layout();
        image = Render(*view_);
        const QPoint c2 = CellCentre(view_->Geometry(), target_->position);
        const QPoint below = ToPixel(QPoint(c2.x() - 20, c2.y() - 14));
        QCOMPARE(CountPixels(image, QRect(below, QSize(40, 8)), IsDark), 0);
    }

    void notesAreDrawnAtTheTopWhenShown() {
        state_->notes = "Water tank level";
        QCOMPARE(CountPixels(Render(*view_), QRect(10, 0, 60, 10), IsDark), 0);
        state_->NotesDisplay = 1;
        view_->Layout();
        QVERIFY(view_->Geometry().notesHeight > 0);
        QVERIFY(CountPixels(Render(*view_), QRect(10, 0, 60, view_->Geometry().notesHeight), IsDark) > 10);
    }

private:
    std::unique_ptr<CTarvekDoc> doc_;
    std::unique_ptr<ChartViewState> state_;
    std::unique_ptr<CTarvekView> view_;
    CBlock* source_ = nullptr;
    CBlock* target_ = nullptr;
};

ONDREL_GUI_TEST(ChartDrawingTest);

#include "ChartDrawingTest.moc"
