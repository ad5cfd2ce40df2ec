#include "gui/views/chart/ChartPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/model/CTarvekDoc.h"
#include "core/model/ConnectorGeometry.h"
#include "core/model/views/ChartViewState.h"
#include "core/platform/NumberFormat.h"
#include "gui/resources/BlockIcons.h"
#include "gui/views/chart/ChartMarkers.h"
#include "gui/views/chart/PrintedIcons.h"

namespace ondrel::gui {
namespace {

constexpr const char* kValueFormat = "%.3e";
// The left margin of the notes, chart units.
constexpr int kNotesLeft = 10;
// The top of a printed page's drawing rectangle, chart units.
constexpr int kPrintDrawingTop = -5;
// Origins are kept within what every coordinate can hold.
constexpr std::int64_t kFar = 1'000'000'000;

QColor ToQColor(ColorRef c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

// Everything the layers share. World coordinates are chart units with y pointing down
// (world y = -chart y), so text draws upright under a plain scaling transform.
struct Frame {
    const ChartPaintJob& job;
    const ChartGeometry& g;
    double mag;
    bool monochrome;      // the view shows the monochrome icon set, black marks and lines
    bool blackAndWhite;   // a printed page with the model's "always print black" flag
    QRectF visible;       // world rectangle that can show anything
    QTransform world;     // world -> the painter's own coordinates
    QTransform original;  // the painter's own coordinates -> device
    ChartItems items;     // the blocks and connectors that may show, in list order
};

bool Intersects(const Frame& f, const QRectF& world) { return f.visible.intersects(world); }

// A printed page shows only its own blocks' markers, labels, values and icons.
bool OnThisPage(const Frame& f, const CBlock& block) {
    const ChartPrintPage* page = f.job.page;
    return page == nullptr || OnChartPage(page->pagination, page->at, block.position.x, block.position.y);
}

// The page header (title left, page label right) and footer (path left, date right), in the
// chart font, black.
void PaintPageBands(QPainter& painter, const Frame& f) {
    const ChartPrintPage& page = *f.job.page;
    const QFont font = ChartUnitFont(f.job.state.ChartLf);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int th = f.g.textHeight;
    const double width = std::max(0, page.printRight - 20);
    const QRectF header(10, th, width, th);
    const QRectF footer(10, -page.printBottom - 2 * th, width, th);
    const int flags = Qt::TextSingleLine | Qt::AlignTop | Qt::TextDontClip;
    painter.drawText(header, flags | Qt::AlignLeft, page.title);
    painter.drawText(header, flags | Qt::AlignRight, page.label);
    painter.drawText(footer, flags | Qt::AlignLeft, page.pathName);
    painter.drawText(footer, flags | Qt::AlignRight, page.date);
}

// Text with its top edge at chart y top, left edge at x, on the window colour.
void DrawTextAt(QPainter& painter, const QFontMetrics& fm, double x, int width, int top, const QString& text,
                const QColor& background) {
    const QRectF box(x, -top, width, fm.height());
    painter.fillRect(box, background);
    painter.drawText(QPointF(x, -top + fm.ascent()), text);
}

void PaintNotes(QPainter& painter, const Frame& f) {
    const auto& state = f.job.state;
    if (!state.NotesDisplay || state.notes.empty() || f.g.notesLines.isEmpty()) return;
    // On paper the notes belong to the first page only.
    if (f.job.page != nullptr && (f.job.page->at.column != 1 || f.job.page->at.row != 1)) return;
    const QFont font = ChartUnitFont(state.NotesLf);
    const QFontMetrics fm(font);
    painter.setFont(font);
    painter.setPen(f.blackAndWhite ? QColor(Qt::black) : ToQColor(state.NotesClr));
    const int start = f.job.printing ? 2 * f.g.textHeight : 0;
    const int step = f.g.notesHeight / static_cast<int>(f.g.notesLines.size());
    for (int i = 0; i < f.g.notesLines.size(); ++i)
        DrawTextAt(painter, fm, kNotesLeft, fm.horizontalAdvance(f.g.notesLines[i]), -(start + i * step),
                   f.g.notesLines[i], f.job.windowColor);
}

// First index i >= 0 with origin + i * step >= low.
std::int64_t FirstIndexFrom(double low, int origin, int step) {
    return std::max<std::int64_t>(0, static_cast<std::int64_t>(std::ceil((low - origin) / step)));
}

// The field of small squares at every grid position a block may take.
void PaintHoldingMarks(QPainter& painter, const Frame& f) {
    const auto& state = f.job.state;
    const int half = state.HoldSiz;
    const QColor color = f.monochrome ? QColor(Qt::black) : ToQColor(state.Hold);
    const double endX = std::min<double>(static_cast<double>(f.g.extentX), f.visible.right() + half + 1);
    const double endY = std::min<double>(static_cast<double>(f.g.extentY), f.visible.bottom() + half + 1);
    std::vector<QRectF> marks;
    for (std::int64_t i = FirstIndexFrom(f.visible.left() - half, f.g.originX, f.g.cellWidth);; ++i) {
        const double x = f.g.originX + static_cast<double>(i) * f.g.cellWidth;
        if (x >= endX) break;
        for (std::int64_t j = FirstIndexFrom(f.visible.top() - half, f.g.originY, f.g.cellHeight);; ++j) {
            const double d = f.g.originY + static_cast<double>(j) * f.g.cellHeight;
            if (d >= endY) break;
            marks.emplace_back(x - half, d - half, 2.0 * half, 2.0 * half);
        }
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRects(marks.data(), static_cast<int>(marks.size()));
}

void PaintMarkers(QPainter& painter, const Frame& f) {
    std::vector<QRectF> ports;
    std::vector<QRectF> initMarks;
    for (const CBlock* listed : f.items.blocks) {
        const CBlock& block = *listed;
        if (IsPlaceholder(block) || !OnThisPage(f, block)) continue;
        const QPoint centre = CellCentre(f.g, block.position);
        if (!Intersects(f, BlockBox(f.g, centre))) continue;
        AppendPortMarkers(block, centre, f.mag, ports);
        if (block.initFlag) initMarks.push_back(InitMarkRect(block, centre, f.mag));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(MarkerColor(kPortMarkerBitmap));
    painter.drawRects(ports.data(), static_cast<int>(ports.size()));
    painter.setBrush(MarkerColor(f.blackAndWhite ? kInitMarkPrintBitmap : kInitMarkBitmap));
    painter.drawRects(initMarks.data(), static_cast<int>(initMarks.size()));
}

// The source's link letter at both ends of a connector that has no line.
void PaintLinkLetters(QPainter& painter, const Frame& f, const QFontMetrics& fm, const CBlock& target,
                      const CBlock& source, const ConnectorPoints& p) {
    const QString letter = QString::fromStdString(source.linkLetter);
    const int width = fm.horizontalAdvance(letter);
    const int lead = f.g.leading;
    const int half = fm.height() / 2;
    const auto atInput = static_cast<double>(p[0].x) + (target.flipped ? lead : -(width + lead));
    const auto atOutput = static_cast<double>(p[5].x) + (source.flipped ? -(width + lead) : lead);
    DrawTextAt(painter, fm, atInput, width, static_cast<int>(p[0].y) + half, letter, f.job.windowColor);
    DrawTextAt(painter, fm, atOutput, width, static_cast<int>(p[5].y) + half, letter, f.job.windowColor);
}

// On paper each segment keeps to the band between the header and the footer.
void PaintClippedConnector(QPainter& painter, const Frame& f, const ConnectorPoints& p) {
    const ChartPrintPage& page = *f.job.page;
    const PrintBand band = PrintBandOf(kPrintDrawingTop, page.printBottom, 0, page.printRight, f.g.textHeight);
    for (int i = 0; i < 5; ++i) {
        const BandSegment s = ClipSegmentToBand(p[i].x, p[i].y, p[i + 1].x, p[i + 1].y, band);
        if (!s.draw) continue;
        painter.drawLine(QPointF(static_cast<double>(s.x0), -static_cast<double>(s.y0)),
                         QPointF(static_cast<double>(s.x1), -static_cast<double>(s.y1)));
    }
}

void PaintConnectors(QPainter& painter, const Frame& f) {
    const auto& state = f.job.state;
    const ConnectorMetrics metrics = ViewConnectorMetrics(f.g, state);
    const QFont font = ChartUnitFont(state.ChartLf);
    const QFontMetrics fm(font);
    painter.setFont(font);
    painter.setBrush(Qt::NoBrush);
    const bool black = f.monochrome || f.blackAndWhite;
    const double margin = ConnectorMargin(f.g, state);
    QPen pen(Qt::black, state.LineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    for (const auto& [listed, k] : f.items.connectors) {
        const CBlock& target = *listed;
        const CBlock* source = target.input[k];
        if (target.inputCount == 0 || source == nullptr) continue;
        const ConnectorPoints p = ConnectorGeometry(target, k, *source, target.route[k], metrics);
        if (!Intersects(f, ConnectorBox(p, margin))) continue;
        if (target.route[k][kRouteTargetLane] == kNoRoute) {
            // The letters are text, in the plain text colour, not the line's.
            painter.setPen(Qt::black);
            PaintLinkLetters(painter, f, fm, target, *source, p);
            continue;
        }
        pen.setColor(black ? QColor(Qt::black) : ToQColor(source->color));
        painter.setPen(pen);
        if (f.job.page != nullptr) {
            PaintClippedConnector(painter, f, p);
            continue;
        }
        QPointF line[6];
        for (int i = 0; i < 6; ++i) line[i] = QPointF(p[i].x, -static_cast<double>(p[i].y));
        painter.drawPolyline(line, 6);
    }
}

void PaintLabelsAndValues(QPainter& painter, const Frame& f) {
    const auto& state = f.job.state;
    if (!state.NameDisplay && !state.ValueDisplay) return;
    const QFont font = ChartUnitFont(state.ChartLf);
    const QFontMetrics fm(font);
    painter.setFont(font);
    painter.setPen(f.monochrome || f.blackAndWhite ? QColor(Qt::black) : ToQColor(state.ChartClr));
    const int lead = f.g.leading;
    for (const CBlock* listed : f.items.blocks) {
        const CBlock& block = *listed;
        if (IsPlaceholder(block) || !OnThisPage(f, block)) continue;
        const QPoint c = CellCentre(f.g, block.position);
        if (!Intersects(f, BlockBox(f.g, c))) continue;
        if (state.NameDisplay) {
            const QString label = QString::fromStdString(block.label);
            const int width = f.job.textWidths.Width(font, label);
            DrawTextAt(painter, fm, c.x() - width / 2.0, width, c.y() - Magnified(f.mag, 13) - lead, label,
                       f.job.windowColor);
        }
        if (state.ValueDisplay) {
            const QString value = ShownValueText(f.job.doc, block);
            const int width = f.job.textWidths.Width(font, value);
            const int top = c.y() + Magnified(f.mag, 11) + lead + f.g.textHeight;
            DrawTextAt(painter, fm, c.x() - width / 2.0, width, top, value, f.job.windowColor);
        }
    }
}

// Printed icons come from the bitmaps: the monochrome set with the view's monochrome mode or
// the model's black-and-white printing.
void PaintPrintedIcons(QPainter& painter, const Frame& f) {
    const bool mono = f.monochrome || f.blackAndWhite;
    const int side = Magnified(f.mag, 24);
    for (const CBlock* listed : f.items.blocks) {
        const CBlock& block = *listed;
        if (IsPlaceholder(block) || !OnThisPage(f, block)) continue;
        const QPoint c = CellCentre(f.g, block.position);
        const QRectF world(c.x() - Magnified(f.mag, 11), -(c.y() + Magnified(f.mag, 11)), side, side);
        if (!Intersects(f, world)) continue;
        const int id = block.bitmapId + (mono ? kMonochromeIconOffset : 0);
        if (const CDib* dib = f.job.page->icons->Dib(id)) dib->Draw(painter, world);
    }
}

// Icons go straight to device pixels, each drawn at its own size, so they stay crisp.
void PaintIcons(QPainter& painter, const Frame& f) {
    if (f.job.page != nullptr && f.job.page->icons != nullptr) {
        PaintPrintedIcons(painter, f);
        return;
    }
    const bool mono = f.monochrome;
    const int side = Magnified(f.mag, 24);
    painter.setTransform(f.original);
    const bool plain = f.original.type() <= QTransform::TxTranslate;
    for (const CBlock* listed : f.items.blocks) {
        const CBlock& block = *listed;
        if (IsPlaceholder(block)) continue;
        const QPoint c = CellCentre(f.g, block.position);
        const QRectF world(c.x() - Magnified(f.mag, 11), -(c.y() + Magnified(f.mag, 11)), side, side);
        if (!Intersects(f, world)) continue;
        const QRectF target = f.world.mapRect(world);
        const double onDevice = f.original.mapRect(target).width();
        const int pixels = std::clamp(static_cast<int>(std::lround(onDevice)), 1, 4096);
        const QImage& icon = f.job.icons.Icon(block.bitmapId, mono, pixels, f.job.IsSelected(block));
        if (plain)
            painter.drawImage(QPointF(std::round(target.left()), std::round(target.top())), icon);
        else
            painter.drawImage(target, icon);
    }
}

// A printed page moves the origins to its part of the chart and below its header.
ChartGeometry GeometryForPage(const ChartPaintJob& job) {
    ChartGeometry geometry = job.geometry;
    if (job.page == nullptr) return geometry;
    ChartPageGeometry pageGeometry;
    pageGeometry.cellWidth = geometry.cellWidth;
    pageGeometry.cellHeight = geometry.cellHeight;
    pageGeometry.textHeight = geometry.textHeight;
    pageGeometry.notesHeight = geometry.notesHeight;
    const OriginShift shift = PageOriginShift(job.page->pagination, job.page->at, pageGeometry);
    geometry.originX = static_cast<int>(std::clamp<std::int64_t>(geometry.originX + shift.dx, -kFar, kFar));
    geometry.originY = static_cast<int>(std::clamp<std::int64_t>(geometry.originY + shift.dy, -kFar, kFar));
    return geometry;
}

// Every block and every connector of the chart, in list order.
ChartItems EveryItem(const CTarvekDoc& doc) {
    ChartItems items;
    items.blocks.reserve(doc.blockList.size());
    for (const auto& owned : doc.blockList) {
        items.blocks.push_back(owned.get());
        for (int k = 1; k <= 3; ++k) {
            if (owned->input[k] != nullptr) items.connectors.push_back({owned.get(), k});
        }
    }
    return items;
}

}  // namespace

QString ShownValueText(const CTarvekDoc& doc, const CBlock& block) {
    // During a run the chart follows the newest sample.
    const bool running = doc.IsRunning() && !block.history.empty();
    const double value = block.initFlag ? block.value
                         : running      ? block.history.back()
                                        : block.ValueAt(doc.snapshotIndex);
    return QString::fromStdString(FormatNumber(kValueFormat, value));
}

void PaintChart(QPainter& painter, const QRect& area, double dotsPerInch, const ChartPaintJob& job) {
    if (job.geometry.cellWidth <= 0 || job.geometry.cellHeight <= 0 || dotsPerInch <= 0) return;
    const ChartGeometry geometry = GeometryForPage(job);
    painter.save();
    const double scale = dotsPerInch / kChartUnitsPerInch;
    QRectF visible = area;
    if (painter.hasClipping()) visible &= painter.clipBoundingRect();
    QTransform world;
    world.translate(area.left(), area.top());
    world.scale(scale, scale);
    Frame frame{job,
                geometry,
                job.state.MagBmp,
                job.state.DisplayMode == 1,
                job.printing && job.doc.printMode,
                world.inverted().mapRect(visible),
                world,
                painter.transform(),
                {}};
    if (job.page != nullptr && job.page->blocks != nullptr) {
        // A printed page walks only what its part of the chart can show.
        frame.items.blocks = *job.page->blocks;
        if (job.page->connectors != nullptr)
            for (const PageConnector& c : *job.page->connectors) frame.items.connectors.push_back({c.target, c.input});
    } else if (job.page != nullptr || job.culling == nullptr ||
               !job.culling->Find(job.doc, frame.visible, frame.items)) {
        frame.items = EveryItem(job.doc);
    }
    painter.setTransform(world, true);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (job.page != nullptr) PaintPageBands(painter, frame);
    PaintNotes(painter, frame);
    if (!job.printing && job.holdingMarks) PaintHoldingMarks(painter, frame);
    PaintMarkers(painter, frame);
    PaintConnectors(painter, frame);
    PaintLabelsAndValues(painter, frame);
    PaintIcons(painter, frame);
    painter.restore();
}

}  // namespace ondrel::gui
