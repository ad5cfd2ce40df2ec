#include "views/chart/ChartPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <vector>

#include "model/CTarvekDoc.h"
#include "model/ConnectorGeometry.h"
#include "model/views/ChartViewState.h"
#include "platform/NumberFormat.h"
#include "resources/BlockIcons.h"
#include "views/chart/ChartMarkers.h"

namespace ondrel::gui {
namespace {

constexpr const char* kValueFormat = "%.3e";
// The left margin of the notes, chart units.
constexpr int kNotesLeft = 10;

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
};

bool Intersects(const Frame& f, const QRectF& world) { return f.visible.intersects(world); }

// The world box a block's drawing can touch: its cell and the text that may overhang it.
QRectF BlockBox(const Frame& f, const QPoint& centre) {
    const double halfW = std::max(f.g.cellWidth, f.g.valueTextWidth) + 2.0;
    const double halfH = f.g.cellHeight + 2.0;
    return {centre.x() - halfW, -centre.y() - halfH, 2 * halfW, 2 * halfH};
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
    for (const auto& owned : f.job.doc.blockList) {
        const CBlock& block = *owned;
        if (IsPlaceholder(block)) continue;
        const QPoint centre = CellCentre(f.g, block.position);
        if (!Intersects(f, BlockBox(f, centre))) continue;
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

QRectF ConnectorBox(const ConnectorPoints& p, double margin) {
    double left = p[0].x, right = p[0].x, top = -p[0].y, bottom = -p[0].y;
    for (const ChartPoint& point : p) {
        left = std::min<double>(left, point.x);
        right = std::max<double>(right, point.x);
        top = std::min<double>(top, -point.y);
        bottom = std::max<double>(bottom, -point.y);
    }
    return QRectF(left, top, right - left, bottom - top).adjusted(-margin, -margin, margin, margin);
}

void PaintConnectors(QPainter& painter, const Frame& f) {
    const auto& state = f.job.state;
    const ConnectorMetrics metrics = ViewConnectorMetrics(f.g, state);
    const QFont font = ChartUnitFont(state.ChartLf);
    const QFontMetrics fm(font);
    painter.setFont(font);
    painter.setBrush(Qt::NoBrush);
    const bool black = f.monochrome || f.blackAndWhite;
    const double margin = state.LineWidth + f.g.valueTextWidth;
    QPen pen(Qt::black, state.LineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    for (const auto& owned : f.job.doc.blockList) {
        const CBlock& target = *owned;
        if (target.inputCount == 0) continue;
        for (int k = 1; k <= 3; ++k) {
            const CBlock* source = target.input[k];
            if (source == nullptr) continue;
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
            QPointF line[6];
            for (int i = 0; i < 6; ++i) line[i] = QPointF(p[i].x, -static_cast<double>(p[i].y));
            painter.drawPolyline(line, 6);
        }
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
    for (const auto& owned : f.job.doc.blockList) {
        const CBlock& block = *owned;
        if (IsPlaceholder(block)) continue;
        const QPoint c = CellCentre(f.g, block.position);
        if (!Intersects(f, BlockBox(f, c))) continue;
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

// Icons go straight to device pixels, each drawn at its own size, so they stay crisp.
void PaintIcons(QPainter& painter, const Frame& f) {
    const bool mono = f.monochrome;
    const int side = Magnified(f.mag, 24);
    painter.setTransform(f.original);
    const bool plain = f.original.type() <= QTransform::TxTranslate;
    for (const auto& owned : f.job.doc.blockList) {
        const CBlock& block = *owned;
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

}  // namespace

QString ShownValueText(const CTarvekDoc& doc, const CBlock& block) {
    // During a run the chart follows the newest sample.
    const bool running = doc.stopped == 0 && !block.history.empty();
    const double value = block.initFlag ? block.value
                         : running      ? block.history.back()
                                        : block.ValueAt(doc.snapshotIndex);
    return QString::fromStdString(FormatNumber(kValueFormat, value));
}

void PaintChart(QPainter& painter, const QRect& area, double dotsPerInch, const ChartPaintJob& job) {
    if (job.geometry.cellWidth <= 0 || job.geometry.cellHeight <= 0 || dotsPerInch <= 0) return;
    painter.save();
    const double scale = dotsPerInch / kChartUnitsPerInch;
    QRectF visible = area;
    if (painter.hasClipping()) visible &= painter.clipBoundingRect();
    QTransform world;
    world.translate(area.left(), area.top());
    world.scale(scale, scale);
    const Frame frame{job,
                      job.geometry,
                      job.state.MagBmp,
                      job.state.DisplayMode == 1,
                      job.printing && job.doc.printMode != 0,
                      world.inverted().mapRect(visible),
                      world,
                      painter.transform()};
    painter.setTransform(world, true);
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintNotes(painter, frame);
    if (!job.printing) PaintHoldingMarks(painter, frame);
    PaintMarkers(painter, frame);
    PaintConnectors(painter, frame);
    PaintLabelsAndValues(painter, frame);
    PaintIcons(painter, frame);
    painter.restore();
}

}  // namespace ondrel::gui
