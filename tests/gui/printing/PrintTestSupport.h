#pragma once
// What the printing tests share: a fixed date, message boxes that only record, the text of
// a PDF's pages, a page painted into an image, its ink and a count of coloured pixels.
#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <algorithm>
#include <string>
#include <vector>

#include "core/platform/Platform.h"
#include "gui/printing/PrintJob.h"

namespace ondrel::guitest {

class FixedClock : public IClock {
public:
    std::int64_t CalendarSeconds() override { return 0; }
    CalendarDate Today() override { return {2026, 3, 4}; }
};

class RecordingBoxes : public IMessageBox {
public:
    MsgResult Show(const std::string& text, const std::string&, MsgButtons, MsgIcon) override {
        shown.push_back(text);
        return MsgResult::Ok;
    }
    std::vector<std::string> shown;
};

// The text of page n of a PDF, or of all pages with n = 0; a null string without pdftotext.
inline QString PdfText(const QString& pdf, int page = 0) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return {};
    QStringList args{QStringLiteral("-layout")};
    if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    QProcess process;
    process.start(tool, args << pdf << QStringLiteral("-"));
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Pixels whose channels differ: anything not black, white or grey.
inline int ColouredPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int spread = std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            if (spread > 24) ++count;
        }
    return count;
}

// The resolution pages are painted into images at.
inline constexpr int kSheetDpi = 100;

// A PDF device in memory with a page layout and resolution, for laying printables out.
struct PageDevice {
    PageDevice(const QPageLayout& layout, int resolution) : writer(&sink) {
        writer.setPageLayout(layout);
        writer.setResolution(resolution);
    }
    QBuffer sink{};
    bool opened = sink.open(QIODevice::WriteOnly);
    QPdfWriter writer;
};

// Page 1 of printable laid out on a Letter sheet without margins, upright or on its side,
// painted into an image of the whole sheet at kSheetDpi.
inline QImage PaintFirstPageOfSheet(gui::IPrintableView& printable, QPageLayout::Orientation orientation,
                                    const gui::PrintContext& context) {
    const QPageLayout sheet(QPageSize(QPageSize::Letter), orientation, QMarginsF());
    PageDevice device(sheet, kSheetDpi);
    printable.BeginPrinting(device.writer, context);
    QImage image(sheet.fullRectPixels(kSheetDpi).size(), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kSheetDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kSheetDpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    printable.PaintPage(painter, 1);
    painter.end();
    printable.EndPrinting();
    return image;
}

// The ink's bounding box: every pixel darker than light grey.
inline QRect InkBounds(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200) ink |= QRect(x, y, 1, 1);
    return ink;
}

}  // namespace ondrel::guitest
