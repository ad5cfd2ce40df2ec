// Device-independent bitmaps: attaching to a bitmap resource, the colour count and image
// size rules, the palette, stretched drawing, the bitmap file form both ways, and the printed
// icon bitmaps made from the icon designs.
#include <QtTest>

#include <QPainter>
#include <QTemporaryDir>
#include <cstring>

#include "support/GuiTestRegistry.h"

#include "core/blocks/BlockCatalogue.h"
#include "core/platform/Platform.h"
#include "gui/resources/BlockIcons.h"
#include "gui/views/chart/CDib.h"
#include "gui/views/chart/PrintedIcons.h"

using namespace ondrel;
using namespace ondrel::gui;

namespace {

class RecordingBoxes : public IMessageBox {
public:
    MsgResult Show(const std::string& text, const std::string&, MsgButtons, MsgIcon) override {
        shown.push_back(text);
        return MsgResult::Ok;
    }
    std::vector<std::string> shown;
};

void Put(std::vector<std::uint8_t>& out, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

struct Resource {
    std::uint32_t headerSize = 40;
    std::int32_t width = 3, height = 2;
    int bits = 8;
    std::uint32_t colorsUsed = 0, sizeImage = 0;
    std::uint8_t fill = 1;
};

// An information header, a colour table of the implied size (entry i = blue i, green 2i,
// red 3i) and the image bytes, all filled with the same byte.
std::vector<std::uint8_t> MakeResource(const Resource& r) {
    std::vector<std::uint8_t> out;
    Put(out, r.headerSize, 4);
    Put(out, static_cast<std::uint32_t>(r.width), 4);
    Put(out, static_cast<std::uint32_t>(r.height), 4);
    Put(out, 1, 2);
    Put(out, static_cast<std::uint32_t>(r.bits), 2);
    Put(out, 0, 4);
    Put(out, r.sizeImage, 4);
    Put(out, 0, 8);
    Put(out, r.colorsUsed, 4);
    Put(out, 0, 4);
    const int colors = r.colorsUsed != 0 ? static_cast<int>(r.colorsUsed) : DibColorCountForBits(r.bits);
    for (int i = 0; i < colors; ++i)
        out.insert(out.end(), {std::uint8_t(i), std::uint8_t(2 * i), std::uint8_t(3 * i), 0});
    const std::int64_t image = r.sizeImage != 0 ? r.sizeImage : DibImageSize(r.width, r.height, r.bits);
    out.insert(out.end(), static_cast<std::size_t>(image), r.fill);
    return out;
}

}  // namespace

class CDibTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        boxes_.shown.clear();
        scope_ = std::make_unique<ScopedPlatform>(PlatformServices{&boxes_});
    }
    void cleanup() { scope_.reset(); }

    void attachesResourcesByTheirHeader() {
        struct Case {
            const char* name;
            Resource r;
            bool attaches;
            int colors;
            std::int64_t imageSize;
        };
        const Case cases[] = {
            {"1 bit", {40, 23, 23, 1}, true, 2, 4 * 23},
            {"4 bits", {40, 23, 23, 4}, true, 16, 12 * 23},
            {"8 bits", {40, 23, 23, 8}, true, 256, 24 * 23},
            {"24 bits", {40, 23, 23, 24}, true, 0, 72 * 23},
            {"32 bits, a whole word a pixel", {40, 5, 2, 32}, true, 0, 40},
            {"colours used wins", {40, 4, 4, 8, 5}, true, 5, 16},
            {"stated image size wins", {40, 4, 1, 8, 0, 64}, true, 256, 64},
            {"core header", {12, 4, 4, 8}, false, 0, 0},
            {"version 5 header", {124, 4, 4, 8}, false, 0, 0},
            {"stated size too small for the rows", {40, 4, 4, 8, 0, 8}, false, 0, 0},
            {"more colours than 8 bits hold", {40, 4, 4, 8, 300}, false, 0, 0},
            {"no width", {40, 0, 4, 8}, false, 0, 0},
        };
        for (const Case& c : cases) {
            boxes_.shown.clear();
            const std::vector<std::uint8_t> bytes = MakeResource(c.r);
            CDib dib;
            QCOMPARE(dib.AttachMemory(bytes.data(), bytes.size()), c.attaches);
            if (!c.attaches) {
                QVERIFY2(dib.IsEmpty(), c.name);
                QCOMPARE(boxes_.shown, std::vector<std::string>{kAttachMemoryError});
                continue;
            }
            QVERIFY2(boxes_.shown.empty(), c.name);
            QCOMPARE(dib.ColorCount(), c.colors);
            QCOMPARE(dib.ImageSize(), c.imageSize);
            QCOMPARE(static_cast<int>(dib.Palette().entries.size()), c.colors);
            QCOMPARE(dib.Palette().version, kDibPaletteVersion);
            QVERIFY2(dib.Bits().data() == bytes.data() + 40 + 4 * c.colors, c.name);  // not owned: in place
        }
        // A resource cut short of its bits is refused too.
        std::vector<std::uint8_t> cut = MakeResource({40, 23, 23, 24});
        cut.resize(cut.size() - 1);
        CDib dib;
        QVERIFY(!dib.AttachMemory(cut.data(), cut.size(), CDib::Ownership::Heap));
    }

    void colourCountsAndImageSizes() {
        QCOMPARE(DibColorCountForBits(1), 2);
        QCOMPARE(DibColorCountForBits(4), 16);
        QCOMPARE(DibColorCountForBits(8), 256);
        QCOMPARE(DibColorCountForBits(24), 0);
        QCOMPARE(DibColorCountForBits(16), 0);
        // ((width x bits - 1) / 32 + 1) x 4 x height
        QCOMPARE(DibImageSize(23, 23, 1), std::int64_t{4 * 23});
        QCOMPARE(DibImageSize(33, 2, 1), std::int64_t{16});
        QCOMPARE(DibImageSize(8, 3, 4), std::int64_t{12});
        QCOMPARE(DibImageSize(9, 3, 4), std::int64_t{24});
        QCOMPARE(DibImageSize(23, 1, 24), std::int64_t{72});
    }

    void paletteFromBlueGreenRedAndStretchedDrawing() {
        // 2 x 2, 8 bits: bottom row indexes 1 and 2, top row 3 and 4.
        Resource r{40, 2, 2, 8, 5};
        std::vector<std::uint8_t> bytes = MakeResource(r);
        const std::size_t bits = 40 + 4 * 5;
        bytes[bits + 0] = 1, bytes[bits + 1] = 2, bytes[bits + 4] = 3, bytes[bits + 5] = 4;
        CDib dib;
        QVERIFY(dib.AttachMemory(bytes.data(), bytes.size(), CDib::Ownership::Heap));
        QCOMPARE(dib.Palette().entries[2], (DibPaletteEntry{6, 4, 2, 0}));
        QImage target(20, 20, QImage::Format_RGB32);
        target.fill(Qt::white);
        {
            QPainter painter(&target);
            dib.Draw(painter, QRectF(0, 0, 20, 20));
        }
        // Each source pixel fills its quarter exactly: copied, not smoothed.
        QCOMPARE(target.pixelColor(0, 0), QColor(9, 6, 3));     // top left: index 3
        QCOMPARE(target.pixelColor(9, 9), QColor(9, 6, 3));
        QCOMPARE(target.pixelColor(10, 0), QColor(12, 8, 4));   // top right: index 4
        QCOMPARE(target.pixelColor(0, 10), QColor(3, 2, 1));    // bottom left: index 1
        QCOMPARE(target.pixelColor(19, 19), QColor(6, 4, 2));   // bottom right: index 2
    }

    void fileFormWritesAndReadsBack() {
        for (const Resource& r : {Resource{40, 23, 23, 24}, Resource{40, 5, 3, 8}, Resource{40, 9, 2, 1}}) {
            const std::vector<std::uint8_t> bytes = MakeResource(r);
            CDib original;
            QVERIFY(original.AttachMemory(bytes.data(), bytes.size()));
            const std::vector<std::uint8_t> file = original.FileBytes();
            QCOMPARE(file.size(), 14 + bytes.size());
            QCOMPARE(file[0], std::uint8_t('B'));
            QCOMPARE(file[1], std::uint8_t('M'));
            std::uint32_t size = 0, reserved = 0, offset = 0;
            std::memcpy(&size, file.data() + 2, 4);
            std::memcpy(&reserved, file.data() + 6, 4);
            std::memcpy(&offset, file.data() + 10, 4);
            QCOMPARE(size, 0u);
            QCOMPARE(reserved, 0u);
            QCOMPARE(offset, std::uint32_t(54 + 4 * original.ColorCount()));

            QTemporaryDir dir;
            const QString path = dir.filePath("icon.bmp");
            QVERIFY(original.Write(path.toStdString()));
            QFile written(path);
            QVERIFY(written.open(QIODevice::ReadOnly));
            const QByteArray onDisk = written.readAll();
            QCOMPARE(onDisk, QByteArray(reinterpret_cast<const char*>(file.data()), int(file.size())));

            CDib copy;
            QVERIFY(copy.Read(file));
            QCOMPARE(copy.Owned(), CDib::Ownership::Heap);
            QVERIFY(std::ranges::equal(copy.HeaderAndColors(), original.HeaderAndColors()));
            QVERIFY(std::ranges::equal(copy.Bits(), original.Bits()));
            QCOMPARE(copy.Image(), original.Image());
        }
        QVERIFY(boxes_.shown.empty());
    }

    void damagedFilesGiveReadErrorAndUnwritableWriteError() {
        CDib good;
        const std::vector<std::uint8_t> bytes = MakeResource({40, 5, 3, 8});
        QVERIFY(good.AttachMemory(bytes.data(), bytes.size()));
        const std::vector<std::uint8_t> file = good.FileBytes();
        std::vector<std::uint8_t> notBm = file;
        notBm[0] = 'X';
        std::vector<std::uint8_t> badOffset = file;
        badOffset[10] = 200;
        const std::vector<std::vector<std::uint8_t>> damaged{
            {},
            std::vector<std::uint8_t>(file.begin(), file.begin() + 10),  // inside the file header
            std::vector<std::uint8_t>(file.begin(), file.begin() + 40),  // inside the info header
            std::vector<std::uint8_t>(file.begin(), file.end() - 1),     // one image byte short
            notBm,
            badOffset,
        };
        for (const auto& bytesRead : damaged) {
            boxes_.shown.clear();
            CDib dib;
            QVERIFY(!dib.Read(bytesRead));
            QVERIFY(dib.IsEmpty());
            QCOMPARE(boxes_.shown, std::vector<std::string>{kDibReadError});
        }
        boxes_.shown.clear();
        QVERIFY(!good.Write("/nonexistent-folder/icon.bmp"));
        QCOMPARE(boxes_.shown, std::vector<std::string>{kDibWriteError});
    }

    // Every block icon, colour (24-bit) and monochrome (8-bit), as a bitmap showing its design.
    void printedIconsAreTheDesigns() {
        PrintedIcons icons;
        for (const CatalogueEntry& entry : Catalogue()) {
            for (bool mono : {false, true}) {
                const int id = entry.bitmapId + (mono ? kMonochromeIconOffset : 0);
                const CDib* dib = icons.Dib(id);
                QVERIFY(dib != nullptr);
                QCOMPARE(dib->BitCount(), mono ? 8 : 24);
                QCOMPARE(dib->Width(), kPrintedIconPixels);
                const QImage design = BlockIconImage(entry.bitmapId, mono, kPrintedIconPixels)
                                          .convertToFormat(QImage::Format_RGB32);
                for (QPoint p : {QPoint(0, 0), QPoint(46, 46), QPoint(20, 70), QPoint(91, 91)}) {
                    const QRgb want = design.pixel(p);
                    const QRgb got = dib->Image().pixel(p);
                    if (mono)
                        QCOMPARE(qGray(got), qGray(want));
                    else
                        QCOMPARE(got, want);
                }
            }
        }
        QVERIFY(boxes_.shown.empty());
    }

    // A damaged bitmap prints no icon, and however many icons are damaged the message shows once.
    void damagedIconsReportOnce() {
        PrintedIcons icons;
        icons.SetBitmapFile(165, std::vector<std::uint8_t>(60, 0));
        icons.SetBitmapFile(166, {});
        for (int block = 0; block < 5; ++block) {
            QVERIFY(icons.Dib(165) == nullptr);
            QVERIFY(icons.Dib(166) == nullptr);
            QVERIFY(icons.Dib(167) != nullptr);
        }
        QCOMPARE(boxes_.shown, std::vector<std::string>{kAttachMemoryError});
        QCOMPARE(icons.FailureCount(), 2);
    }

private:
    RecordingBoxes boxes_;
    std::unique_ptr<ScopedPlatform> scope_;
};

ONDREL_GUI_TEST(CDibTest);
#include "CDibTest.moc"
