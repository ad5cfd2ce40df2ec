#include "gui/views/chart/ChartExport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>

#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/ChartViewState.h"
#include "gui/views/chart/ChartLayout.h"
#include "gui/views/chart/ChartPainter.h"
#include "gui/views/chart/IconCache.h"

namespace ondrel::gui {
namespace {

// The notes wrap at the standard page width unless the chart is wider.
constexpr int kNotesWidth = 800;
// The largest picture side, chart units: beyond this a PNG would not fit in memory.
constexpr int kMaxSide = 1'000'000;
constexpr int kMaxPngPixels = 16384;
// PDF pages are drawn at this resolution; text and lines stay vectors whatever it is.
constexpr int kPdfDotsPerInch = 300;

ChartGeometry WholeChartLayout(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state) {
    const ChartGeometry first = LayOutChart(doc, state, kNotesWidth);
    const int right = static_cast<int>(std::clamp<std::int64_t>(first.extentX, kNotesWidth, kMaxSide));
    return LayOutChart(doc, state, right);
}

QSize SizeOf(const ChartGeometry& g) {
    return {static_cast<int>(std::clamp<std::int64_t>(g.extentX, 1, kMaxSide)),
            static_cast<int>(std::clamp<std::int64_t>(g.extentY, 1, kMaxSide))};
}

void PaintWhole(QPainter& painter, const QRect& area, double dpi, const ondrel::CTarvekDoc& doc,
                const ondrel::ChartViewState& state, const ChartGeometry& g) {
    IconCache icons;
    TextWidthCache widths;
    ChartPaintJob job{doc, state, g, icons, widths};
    job.holdingMarks = false;
    job.windowColor = Qt::white;
    PaintChart(painter, area, dpi, job);
}

}  // namespace

QString WriteBytesAtomically(const QString& path, const QByteArray& bytes) {
    std::string error;
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                             static_cast<std::size_t>(bytes.size()));
    if (ondrel::WriteFileAtomically(path.toStdString(), data, error)) return {};
    return QStringLiteral("Unable to write %1: %2").arg(path, QString::fromStdString(error));
}

ChartImageFormat ChartImageFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("svg")) return ChartImageFormat::Svg;
    if (suffix == QStringLiteral("pdf")) return ChartImageFormat::Pdf;
    return ChartImageFormat::Png;
}

QSize ChartDrawingSize(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state) {
    return SizeOf(WholeChartLayout(doc, state));
}

namespace {

struct Picture {
    const ondrel::CTarvekDoc& doc;
    const ondrel::ChartViewState& state;
    ChartGeometry g;
    QSize size;  // chart units
};

void WriteSvg(const Picture& p, QBuffer& buffer) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(p.size);
    svg.setViewBox(QRect(QPoint(0, 0), p.size));
    svg.setResolution(static_cast<int>(kChartUnitsPerInch));
    svg.setTitle(QString::fromStdString(p.doc.GetTitle()));
    QPainter painter(&svg);
    PaintWhole(painter, QRect(QPoint(0, 0), p.size), kChartUnitsPerInch, p.doc, p.state, p.g);
}

void WritePdf(const Picture& p, QBuffer& buffer) {
    QPdfWriter pdf(&buffer);
    const QSizeF inches(p.size.width() / kChartUnitsPerInch, p.size.height() / kChartUnitsPerInch);
    pdf.setPageLayout(QPageLayout(QPageSize(inches, QPageSize::Inch), QPageLayout::Portrait, QMarginsF()));
    pdf.setResolution(kPdfDotsPerInch);
    pdf.setTitle(QString::fromStdString(p.doc.GetTitle()));
    pdf.setCreator(QStringLiteral("Ondrel"));
    QPainter painter(&pdf);
    const QRect area = pdf.pageLayout().paintRectPixels(kPdfDotsPerInch);
    PaintWhole(painter, QRect(QPoint(0, 0), area.size()), kPdfDotsPerInch, p.doc, p.state, p.g);
}

void WritePng(const Picture& p, QBuffer& buffer, double pngScale) {
    // A picture too big for one image is drawn smaller rather than cut off.
    const double fit = std::min(double(kMaxPngPixels) / p.size.width(), double(kMaxPngPixels) / p.size.height());
    const double scale = std::min(std::clamp(pngScale, 0.1, 16.0), fit);
    const QSize pixels(std::clamp(static_cast<int>(p.size.width() * scale), 1, kMaxPngPixels),
                       std::clamp(static_cast<int>(p.size.height() * scale), 1, kMaxPngPixels));
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintWhole(painter, image.rect(), kChartUnitsPerInch * scale, p.doc, p.state, p.g);
    }
    image.save(&buffer, "PNG");
}

}  // namespace

QByteArray ChartImageBytes(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state,
                           ChartImageFormat format, double pngScale) {
    const ChartGeometry g = WholeChartLayout(doc, state);
    const Picture picture{doc, state, g, SizeOf(g)};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
        case ChartImageFormat::Svg: WriteSvg(picture, buffer); break;
        case ChartImageFormat::Pdf: WritePdf(picture, buffer); break;
        case ChartImageFormat::Png: WritePng(picture, buffer, pngScale); break;
    }
    return bytes;
}

QString ExportChart(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state, const QString& path,
                    ChartImageFormat format, double pngScale) {
    const QByteArray bytes = ChartImageBytes(doc, state, format, pngScale);
    if (bytes.isEmpty()) return QStringLiteral("The picture of the chart could not be made.");
    return WriteBytesAtomically(path, bytes);
}

}  // namespace ondrel::gui
