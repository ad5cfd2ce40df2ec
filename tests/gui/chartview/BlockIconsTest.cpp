// The program's images: one distinct icon per block type in colour and monochrome at every
// magnification, toolbar images, markers and the placing cursor.
#include <QtTest>

#include "support/GuiTestRegistry.h"
#include <set>

#include "core/blocks/BlockCatalogue.h"
#include "gui/resources/BlockIcons.h"

using namespace ondrel;
using namespace ondrel::gui;

namespace {

bool IsGrey(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c); }

template <typename Test>
int Count(const QImage& image, Test test) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y))) ++count;
    return count;
}

const int kToolbarCommands[] = {57600, 57601, 57602, 57603, 57635, 57634, 57637, 57607, 57609, 57664,
                                57669, 32832, 32867, 32831, 32830, 32816, 32861, 32909, 32829, 32865};

}  // namespace

class BlockIconsTest : public QObject {
    Q_OBJECT

private slots:
    void everyBlockTypeHasColourAndMonochromeIcons_data() {
        QTest::addColumn<int>("bitmapId");
        for (const CatalogueEntry& entry : Catalogue())
            QTest::newRow(QByteArray::number(entry.typeId).constData()) << entry.bitmapId;
    }
    void everyBlockTypeHasColourAndMonochromeIcons() {
        QFETCH(int, bitmapId);
        for (const int size : {23, 46, 69, 92}) {
            const QImage colour = BlockIconImage(bitmapId, false, size);
            const QImage mono = BlockIconImage(bitmapId, true, size);
            QCOMPARE(colour.size(), QSize(size, size));
            QCOMPARE(mono.size(), QSize(size, size));
            QVERIFY(Count(colour, [](QRgb c) { return !IsGrey(c); }) > 0);
            QCOMPARE(Count(mono, [](QRgb c) { return !IsGrey(c); }), 0);
            // Something is drawn on the face besides the frame.
            QVERIFY(Count(mono, [](QRgb c) { return qRed(c) < 128; }) > size);
        }
        QCOMPARE(BlockIconImage(bitmapId + kMonochromeIconOffset, false, 23), BlockIconImage(bitmapId, true, 23));
    }

    void blockTypesCanBeToldApart() {
        std::set<QByteArray> seen;
        for (const CatalogueEntry& entry : Catalogue()) {
            const QImage mono = BlockIconImage(entry.bitmapId, true, 23);
            const QByteArray bytes(reinterpret_cast<const char*>(mono.constBits()), int(mono.sizeInBytes()));
            QVERIFY2(seen.insert(bytes).second, QByteArray::number(entry.typeId).constData());
        }
    }

    void unknownIdsGiveAFramedSquare() {
        const QImage image = BlockIconImage(12345, false, 23);
        QCOMPARE(image.size(), QSize(23, 23));
        QVERIFY(Count(image, [](QRgb c) { return qRed(c) < 128; }) > 0);
        QCOMPARE(BlockIconImage(144, false, 0).size(), QSize(1, 1));
    }

    void toolbarCommandsHaveDistinctImages() {
        std::set<QByteArray> seen;
        for (const int command : kToolbarCommands) {
            const QIcon icon = CommandIcon(command);
            const QImage image = icon.pixmap(QSize(23, 23)).toImage();
            QVERIFY(!image.isNull());
            QVERIFY2(Count(image, [](QRgb c) { return qAlpha(c) > 0; }) > 20, QByteArray::number(command).constData());
            const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes()));
            QVERIFY2(seen.insert(bytes).second, QByteArray::number(command).constData());
        }
        // A block command shows its block's icon.
        const QImage sum = CommandIcon(32801).pixmap(QSize(23, 23)).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(sum, BlockIconImage(151, false, 23).convertToFormat(QImage::Format_RGB32));
    }

    void markersAreSolidBitmaps_data() {
        QTest::addColumn<int>("bitmapId");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("port") << kPortMarkerBitmap << QSize(1, 5) << QColor(Qt::black);
        QTest::newRow("init") << kInitMarkBitmap << QSize(2, 8) << QColor(Qt::red);
        QTest::newRow("init printed") << kInitMarkPrintBitmap << QSize(2, 8) << QColor(Qt::black);
    }
    void markersAreSolidBitmaps() {
        QFETCH(int, bitmapId);
        QFETCH(QSize, size);
        QFETCH(QColor, colour);
        const QImage image = MarkerImage(bitmapId);
        QCOMPARE(image.size(), size);
        QCOMPARE(Count(image, [&](QRgb c) { return QColor(c) == colour; }), size.width() * size.height());
        QVERIFY(MarkerImage(1).isNull());
    }

    void placingCursorIsACrossHair() {
        const QCursor cursor = PlacingCursor();
        QCOMPARE(cursor.hotSpot(), QPoint(15, 15));
        const QImage image = cursor.pixmap().toImage();
        QCOMPARE(QColor(image.pixel(15, 5)), QColor(Qt::black));
    }
};

ONDREL_GUI_TEST(BlockIconsTest);

#include "BlockIconsTest.moc"
