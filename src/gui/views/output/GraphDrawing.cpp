// The core's graph headers come before any Qt header: their "slots" member would otherwise
// meet Qt's keyword macro, which is undefined below (nothing here declares Qt slots).
#include <algorithm>
#include <array>
#include <vector>

#include "core/model/CTarvekDoc.h"
#include "core/model/views/GraphCurves.h"
#include "core/model/views/GraphLabels.h"
#include "core/model/views/GraphLayout.h"
#include "core/model/views/GraphScale.h"
#include "core/model/views/GraphViewState.h"
#include "gui/views/output/GraphDrawing.h"

#include <QFontMetrics>
#include <QLine>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include "gui/views/output/GraphTextMeasurer.h"

#undef slots

namespace ondrel::gui {

namespace {

// The window colour of the standard desktop scheme behind every graph, so an exported
// image looks like the window.
const QColor kBackground(255, 255, 255);
// The screen's units: one pixel of a 96-dpi display.
constexpr double kScreenUnitsPerInch = 96.0;

QColor ToQColor(ondrel::ColorRef c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

// Square caps: a thin line covers both of its end pixels, so consecutive segments meet and
// a curve drawn from fewer points covers the same pixels.
QPen SlotPen(const ondrel::GraphSlot& slot, const QColor& color) {
    return QPen(color, std::clamp(slot.Width, 0, 99), Qt::SolidLine, Qt::SquareCap,
                Qt::MiterJoin);
}

// The reference drawing: every segment on its own.
void DrawSegments(QPainter& painter, const std::vector<QPoint>& points) {
    for (std::size_t j = 1; j < points.size(); ++j) painter.drawLine(points[j - 1], points[j]);
}

// The same segments, gathered for one call. A polyline is rasterised differently (its inner points are
// not drawn twice and thin lines leave out their last pixel), so on pixel devices a curve is
// drawn as segments: the reduced points then cover exactly the pixels of every segment.
// A stroke down column x from row low to high. A curve that crosses an edge of the plot again
// and again within one column leaves many short polylines there, all reaching the edge: a
// stroke that overlaps the one before in the same column is drawn as part of it.
void AppendColumnStroke(int x, int low, int high, std::vector<QLine>& segments) {
    if (!segments.empty()) {
        QLine& last = segments.back();
        const int lastLow = std::min(last.y1(), last.y2()), lastHigh = std::max(last.y1(), last.y2());
        if (last.x1() == x && last.x2() == x && low <= lastHigh && high >= lastLow) {
            last.setLine(x, std::min(low, lastLow), x, std::max(high, lastHigh));
            return;
        }
    }
    segments.emplace_back(x, low, x, high);
}

// The strokes within one column (an opaque pen, each covering both end rows) together
// cover the rows from the lowest to the highest point, so they are drawn as that one stroke.
void AppendSegments(const std::vector<QPoint>& points, std::vector<QLine>& segments) {
    for (std::size_t a = 0; a < points.size();) {
        std::size_t b = a + 1;
        int low = points[a].y(), high = low;
        for (; b < points.size() && points[b].x() == points[a].x(); ++b)
            low = std::min(low, points[b].y()), high = std::max(high, points[b].y());
        if (b - a >= 2) AppendColumnStroke(points[a].x(), low, high, segments);
        if (b < points.size()) segments.emplace_back(points[b - 1], points[b]);
        a = b;
    }
}

}  // namespace

// What a curve's polylines were built from. A repaint that finds the same (the readout's
// cursor line, an uncovered window) draws the points it has; any change of the chart comes
// with a rescale, which forgets them.
struct CurveKey {
    const ondrel::CBlock* x = nullptr;
    const ondrel::CBlock* y = nullptr;
    std::int64_t count = 0;
    double xLow = 0, xHigh = 0, yLow = 0, yHigh = 0;
    QRect plot;
    double margin = 0;
    bool decimate = true;
    bool operator==(const CurveKey&) const = default;
};

struct GraphDrawing::Parts {
    ondrel::GraphScale scale;
    ondrel::GraphLayout layout;
    std::array<ondrel::CurvePolylines, 3> curves;
    std::array<CurveKey, 3> built;
    std::array<bool, 3> builtValid{};
    std::vector<QPoint> points;   // one polyline in device points, reused
    std::vector<QLine> segments;  // its segments, reused
};

GraphDrawing::GraphDrawing() : parts_(std::make_unique<Parts>()) {}
GraphDrawing::~GraphDrawing() = default;

void GraphDrawing::Rescale(ondrel::GraphViewState& state, const ondrel::CTarvekDoc& doc,
                           const ondrel::ITextMeasurer& measurer) {
    ondrel::RescaleGraph(state, ondrel::ViewSampleCount(doc), parts_->scale);
    ondrel::MeasureGraphLabels(state, measurer, parts_->scale);
    ForgetCurves();
    rescaled_ = true;
}

void GraphDrawing::ForgetCurves() { parts_->builtValid.fill(false); }

QRect GraphDrawing::PlotRect() const {
    const ondrel::GraphRect plot = parts_->layout.Plot();
    return QRect(origin_.x() + plot.left, origin_.y() + plot.top, plot.Width(), plot.Height());
}

QColor GraphDrawing::Ink(std::uint32_t color) const { return black_ ? QColor(Qt::black) : ToQColor(color); }

void GraphDrawing::Paint(QPainter& painter, const QRect& area, double unitsPerInch,
                         ondrel::GraphViewState& state, const ondrel::CTarvekDoc& doc, bool decimate,
                         const GraphPrintStyle* print) {
    GraphTextMeasurer measurer(painter.device(), unitsPerInch);
    // A printed page is measured as the window is: its margins and label sizes are the screen's.
    GraphTextMeasurer screen(nullptr, kScreenUnitsPerInch);
    const ondrel::ITextMeasurer& measuring = print != nullptr ? static_cast<const ondrel::ITextMeasurer&>(screen) : measurer;
    // A graph drawn before its first rescale (a file just read, an image of a new view).
    if (!rescaled_) Rescale(state, doc, measuring);
    origin_ = area.topLeft();
    black_ = print != nullptr && print->black;
    if (print != nullptr) {
        const ondrel::GraphLayout window = ondrel::LayoutGraph(state, parts_->scale, screen, print->screenSize.width(),
                                                               print->screenSize.height());
        parts_->layout = ondrel::ResizeGraphLayout(window, parts_->scale, area.width(), area.height());
    } else {
        parts_->layout = ondrel::LayoutGraph(state, parts_->scale, measurer, area.width(), area.height());
    }
    painter.save();
    painter.fillRect(area, kBackground);
    painter.setBackground(kBackground);
    PaintNotes(painter, state, unitsPerInch);
    PaintAxesAndTicks(painter, state);
    PaintLabels(painter, state, unitsPerInch);
    PaintLegends(painter, state, unitsPerInch);
    PaintCurves(painter, state, doc, decimate);
    painter.restore();
}

void GraphDrawing::PaintNotes(QPainter& painter, const ondrel::GraphViewState& state,
                              double unitsPerInch) const {
    if (state.notes.empty() || !state.DisplayNotes) return;
    painter.setFont(GraphFont(state.NotesFont, unitsPerInch));
    painter.setPen(Ink(state.NotesColor));
    const QRect box(origin_.x(), origin_.y(), parts_->layout.width, std::max(parts_->layout.notesHeight, 1));
    painter.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(state.notes));
}

void GraphDrawing::PaintAxesAndTicks(QPainter& painter, const ondrel::GraphViewState& state) const {
    painter.setPen(SlotPen(state.axisSlots[0], Ink(state.axisSlots[0].Color)));
    const QRect plot = PlotRect();
    const int left = plot.left();
    const int right = plot.left() + plot.width();
    const int top = plot.top();
    const int bottom = plot.top() + plot.height();
    painter.drawLine(left, top, left, bottom);
    painter.drawLine(left, bottom, right, bottom);
    if (parts_->scale.rightDivisions != 0) painter.drawLine(right, bottom, right, top);
    const int tick = parts_->scale.tickLength;
    const bool verticalGrid = state.Grids == 2 || state.Grids == 3;
    const bool horizontalGrid = state.Grids == 1 || state.Grids == 3;
    for (int k = 1; k < parts_->scale.xDivisions; ++k) {
        const int x = origin_.x() + parts_->layout.XTick(k, parts_->scale.xDivisions);
        painter.drawLine(x, bottom, x, verticalGrid ? top : bottom - tick);
    }
    for (int k = 1; k < parts_->scale.leftDivisions; ++k) {
        const int y = origin_.y() + parts_->layout.YTick(k, parts_->scale.leftDivisions);
        painter.drawLine(left, y, horizontalGrid ? right : left + tick, y);
    }
    for (int k = 1; k < parts_->scale.rightDivisions; ++k) {
        const int y = origin_.y() + parts_->layout.YTick(k, parts_->scale.rightDivisions);
        painter.drawLine(right, y, right - tick, y);
    }
}

void GraphDrawing::PaintLabels(QPainter& painter, const ondrel::GraphViewState& state,
                               double unitsPerInch) const {
    painter.setFont(GraphFont(state.LabelsFont, unitsPerInch));
    const ondrel::GraphSlotScale& x = parts_->scale.slots[0];
    const int xTop = origin_.y() + parts_->layout.height - parts_->layout.marginBottom + parts_->scale.gap;
    painter.setPen(Ink(state.axisSlots[0].Color));
    for (int k = 0; k <= parts_->scale.xDivisions && x.shown; ++k) {
        const int centre = origin_.x() + parts_->layout.XTick(k, parts_->scale.xDivisions);
        const QRect box(centre - x.labelSize.width / 2, xTop, x.labelSize.width, x.labelSize.height);
        painter.drawText(
            box, Qt::AlignCenter,
            QString::fromStdString(ondrel::TickLabelText(TickValue(x, k, parts_->scale.xDivisions), x)));
    }
    for (int c = 1; c <= kMaxCurves; ++c) {
        const ondrel::GraphSlotScale& curve = parts_->scale.slots[c];
        if (!curve.shown || curve.sideCode == 0) continue;
        const int n = curve.OnLeft() ? parts_->scale.leftDivisions : parts_->scale.rightDivisions;
        painter.setPen(Ink(state.axisSlots[c].Color));
        for (int k = 0; k <= n; ++k) {
            const int centre = origin_.y() + parts_->layout.YTick(k, n);
            const QRect box(origin_.x() + parts_->layout.labelColumnLeft[c],
                            centre - curve.labelSize.height / 2, curve.labelSize.width,
                            curve.labelSize.height);
            painter.drawText(box, Qt::AlignCenter,
                             QString::fromStdString(ondrel::TickLabelText(TickValue(curve, k, n), curve)));
        }
    }
}

void GraphDrawing::PaintLegends(QPainter& painter, const ondrel::GraphViewState& state,
                                double unitsPerInch) const {
    painter.setFont(GraphFont(state.LegendsFont, unitsPerInch));
    const int textHeight = painter.fontMetrics().height();
    const int curveCount = std::clamp(state.curveCount, 0, kMaxCurves);
    for (int i = 0; i <= curveCount; ++i) {
        const ondrel::CBlock* block = state.axisSlots[i].block.block;
        if (block == nullptr || !parts_->scale.slots[i].shown) continue;
        const ondrel::GraphRect box = parts_->layout.LegendBox(i, curveCount, textHeight, parts_->scale.gap);
        painter.setPen(Ink(state.axisSlots[i].Color));
        painter.drawText(
            QRect(origin_.x() + box.left, origin_.y() + box.top, box.Width(), box.Height()), Qt::AlignCenter,
            QString::fromStdString(ondrel::LegendText(block->label, parts_->scale.slots[i].exponent)));
    }
}

void GraphDrawing::PaintCurves(QPainter& painter, const ondrel::GraphViewState& state,
                               const ondrel::CTarvekDoc& doc, bool decimate) {
    const std::int64_t count = ondrel::ViewSampleCount(doc);
    const ondrel::CBlock* xBlock = state.axisSlots[0].block.block;
    if (count == 0 || xBlock == nullptr || !parts_->scale.slots[0].shown) return;
    const QRect plot = PlotRect();
    const ondrel::PlotArea area{double(plot.left()), double(plot.top()), double(plot.left() + plot.width()),
                                double(plot.top() + plot.height())};
    painter.setClipRect(plot);
    painter.setRenderHint(QPainter::Antialiasing, false);
    std::vector<QPoint>& points = parts_->points;
    // Pixels are exact on pixel devices; vector output (SVG, PDF, printers) gets one joined
    // line per polyline.
    const int type = painter.device()->devType();
    const bool raster = type == QInternal::Image || type == QInternal::Pixmap || type == QInternal::Widget;
    for (int c = 1; c <= std::clamp(state.curveCount, 0, kMaxCurves); ++c) {
        const ondrel::CBlock* block = state.axisSlots[c].block.block;
        if (block == nullptr || !parts_->scale.slots[c].shown) continue;
        const QPen pen = SlotPen(state.axisSlots[c], Ink(state.axisSlots[c].Color));
        ondrel::CurvePolylines& lines = parts_->curves[c - 1];
        const ondrel::GraphSlotScale& xs = parts_->scale.slots[0];
        const ondrel::GraphSlotScale& ys = parts_->scale.slots[c];
        const CurveKey key{
            xBlock, block, count, xs.low, xs.high, ys.low, ys.high, plot, pen.widthF() / 2 + 2, decimate};
        if (!parts_->builtValid[c - 1] || !(parts_->built[c - 1] == key)) {
            lines.Build(*xBlock, *block, count, xs, ys, area, key.margin, decimate);
            parts_->built[c - 1] = key;
            parts_->builtValid[c - 1] = true;
        }
        painter.setPen(pen);
        std::vector<QLine>& segments = parts_->segments;
        segments.clear();
        for (std::size_t i = 0; i < lines.PolylineCount(); ++i) {
            const auto line = lines.Polyline(i);
            points.resize(line.size());
            for (std::size_t j = 0; j < line.size(); ++j)
                points[j] = QPoint(static_cast<int>(line[j].x), static_cast<int>(line[j].y));
            if (points.size() == 1)
                painter.drawPoint(points[0]);
            else if (!decimate)
                DrawSegments(painter, points);
            else if (raster)
                AppendSegments(points, segments);
            else
                painter.drawPolyline(points.data(), static_cast<int>(points.size()));
        }
        // A curve clipped many times is many short polylines: one call draws them all.
        if (!segments.empty()) painter.drawLines(segments.data(), static_cast<int>(segments.size()));
    }
    painter.setClipping(false);
}

}  // namespace ondrel::gui

namespace ondrel::gui {

std::pair<double, double> GraphDrawing::DrawnLimits(int slot) const {
    const ondrel::GraphSlotScale& s = parts_->scale.slots[std::clamp(slot, 0, kMaxCurves)];
    return {s.low, s.high};
}

bool GraphDrawing::SlotShown(int slot) const {
    return slot >= 0 && slot <= kMaxCurves && parts_->scale.slots[slot].shown;
}

int GraphDrawing::LeftDivisions() const { return parts_->scale.leftDivisions; }
int GraphDrawing::RightDivisions() const { return parts_->scale.rightDivisions; }
int GraphDrawing::XDivisions() const { return parts_->scale.xDivisions; }

namespace {
ondrel::PlotArea AreaOf(const QRect& plot) {
    return {double(plot.left()), double(plot.top()), double(plot.left() + plot.width()),
            double(plot.top() + plot.height())};
}
}  // namespace

double GraphDrawing::XValueAt(double deviceX) const {
    const ondrel::CurveMapping map(parts_->scale.slots[0], parts_->scale.slots[0], AreaOf(PlotRect()));
    return map.XValue(deviceX);
}

double GraphDrawing::YValueAt(int slot, double deviceY) const {
    const auto& s = parts_->scale.slots;
    const ondrel::CurveMapping map(s[0], s[std::clamp(slot, 0, kMaxCurves)], AreaOf(PlotRect()));
    return map.YValue(deviceY);
}

}  // namespace ondrel::gui

namespace ondrel::gui {

std::int64_t GraphDrawing::NearestSample(const ondrel::GraphViewState& state, const ondrel::CTarvekDoc& doc,
                                         double value) {
    const ondrel::CBlock* x = state.axisSlots[0].block.block;
    if (x == nullptr) return -1;
    const std::int64_t count = SampleCount(doc);
    const bool rising = ondrel::SamplesRise(x->history, count);
    return ondrel::NearestSample(*x, count, value, rising);
}

std::int64_t GraphDrawing::SampleCount(const ondrel::CTarvekDoc& doc) { return ondrel::ViewSampleCount(doc); }

}  // namespace ondrel::gui
