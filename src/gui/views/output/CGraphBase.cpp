#include "gui/views/output/CGraphBase.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStatusBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "gui/app/CDocumentFrame.h"
#include "gui/app/ChartSession.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/GraphDataText.h"
#include "core/model/views/GraphViewState.h"
#include "core/platform/NumberFormat.h"
#include "gui/views/output/GraphPrintable.h"
#include "gui/views/output/GraphTextMeasurer.h"

namespace ondrel::gui {

CGraphBase::CGraphBase(CTarvekDoc& doc, GraphViewState& state, QWidget* parent)
    : CTemplateView(doc, state, parent),
      PrintsThrough(std::make_unique<GraphPrintable>(doc, state, [this] { return viewport()->size(); })),
      graph_(state) {
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CGraphBase::OnInitialUpdate(bool newView) {
    if (newView) graph_.CompleteDefaults(Document());
    CTemplateView::OnInitialUpdate(newView);
}

void CGraphBase::Rescale() {
    GraphTextMeasurer measurer(viewport(), DotsPerInch());
    drawing_.Rescale(graph_, Document(), measurer);
}

void CGraphBase::Refresh() {
    Rescale();
    viewport()->update();
}

// Gaining the focus rescales; the next repaint uses the new scales.
void CGraphBase::OnFocusGained() { Rescale(); }

void CGraphBase::OnBlockDeleting(CBlock& block) {
    CTemplateView::OnBlockDeleting(block);
    Rescale();
}

void CGraphBase::Paint(QPainter& painter, const QRect& area, double dotsPerInch) {
    drawing_.Paint(painter, area, dotsPerInch, graph_, Document());
}

void CGraphBase::paintEvent(QPaintEvent* event) {
    CTemplateView::paintEvent(event);
    QPainter painter(viewport());
    if (cursorX_ >= 0) {
        painter.setPen(QPen(palette().color(QPalette::Mid), 0, Qt::DotLine));
        const QRect plot = PlotRect();
        painter.drawLine(cursorX_, plot.top(), cursorX_, plot.bottom());
    }
    if (!rubberBand_.isNull()) {
        // Inverted, so the band shows on any curve and grid colour.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rubberBand_.adjusted(1, 1, -1, -1));
    }
}

// The notes wrap to the width, so the layout follows the size (the next paint lays out).
void CGraphBase::resizeEvent(QResizeEvent* event) {
    CTemplateView::resizeEvent(event);
    viewport()->update();
}

void CGraphBase::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        Unzoom();
        return;
    }
    if (event->button() == Qt::LeftButton && PlotRect().contains(at)) {
        dragging_ = true;
        dragStart_ = at;
        rubberBand_ = QRect();
    }
}

void CGraphBase::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    ShowReadout(at);
    if (dragging_ && PlotRect().contains(at)) {
        rubberBand_ = QRect(dragStart_, at).normalized();
        viewport()->update();
    }
}

void CGraphBase::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    const QPoint at = event->position().toPoint();
    dragging_ = false;
    rubberBand_ = QRect();
    viewport()->update();
    // Letting go outside the plot gives the zoom up.
    if (PlotRect().contains(at)) FinishDrag(at);
}

void CGraphBase::FinishDrag(QPoint end) {
    const QRect band = QRect(dragStart_, end).normalized();
    // QRect's width counts both edges; the drag's extent is the distance between them.
    const int width = band.right() - band.left();
    const int height = band.bottom() - band.top();
    if (width < kMinZoomPixels || height < kMinZoomPixels) return;
    const QRect plot = PlotRect();
    const double pw = plot.width();
    const double ph = plot.height();
    const double plotBottom = plot.top() + plot.height();
    double lows[4] = {}, highs[4] = {};
    for (int i = 0; i <= kMaxCurves; ++i) std::tie(lows[i], highs[i]) = drawing_.DrawnLimits(i);
    const double xLow = lows[0] + (highs[0] - lows[0]) / pw * (band.left() - plot.left());
    const double xHigh = lows[0] + (highs[0] - lows[0]) / pw * (band.right() - plot.left());
    double curveLow[4] = {}, curveHigh[4] = {};
    for (int i = 1; i <= kMaxCurves; ++i) {
        curveHigh[i] = lows[i] + (highs[i] - lows[i]) / ph * (plotBottom - band.top());
        curveLow[i] = lows[i] + (highs[i] - lows[i]) / ph * (plotBottom - band.bottom());
    }
    ZoomTo(xLow, xHigh, curveLow, curveHigh);
}

void CGraphBase::ZoomTo(double xLow, double xHigh, const double (&curveLow)[4],
                        const double (&curveHigh)[4]) {
    graph_.axisSlots[0].Low = xLow;
    graph_.axisSlots[0].High = xHigh;
    for (int i = 1; i <= kMaxCurves; ++i) {
        if (!graph_.CurveShown(i)) continue;
        graph_.axisSlots[i].Low = curveLow[i];
        graph_.axisSlots[i].High = curveHigh[i];
    }
    for (GraphSlot& slot : graph_.axisSlots) slot.Fixed = true;
    ApplyZoom();
}

void CGraphBase::Unzoom() {
    for (GraphSlot& slot : graph_.axisSlots) slot.Fixed = false;
    ApplyZoom();
}

// The view applied: the chart is modified (its graph record changed), the scales follow. A
// zoom is not undone with the chart's edits, so the chart stays modified until it is saved.
void CGraphBase::ApplyZoom() {
    CDocumentFrame* frame = nullptr;
    for (QWidget* w = parentWidget(); w != nullptr && frame == nullptr; w = w->parentWidget())
        frame = qobject_cast<CDocumentFrame*>(w);
    if (frame != nullptr)
        frame->Session().MarkUnrecordedChange();
    else
        Document().SetModifiedFlag();
    Refresh();
}

void CGraphBase::WheelZoom(QPoint position, double factor, bool curves) {
    const QRect plot = PlotRect();
    if (!plot.contains(position)) return;
    double lows[4] = {}, highs[4] = {};
    for (int i = 0; i <= kMaxCurves; ++i) std::tie(lows[i], highs[i]) = drawing_.DrawnLimits(i);
    // The value under the mouse stays where it is.
    auto about = [factor](double low, double high, double at) {
        return std::pair{at - (at - low) * factor, at + (high - at) * factor};
    };
    if (!curves) std::tie(lows[0], highs[0]) = about(lows[0], highs[0], drawing_.XValueAt(position.x()));
    for (int i = 1; curves && i <= kMaxCurves; ++i)
        std::tie(lows[i], highs[i]) = about(lows[i], highs[i], drawing_.YValueAt(i, position.y()));
    ZoomTo(lows[0], highs[0], lows, highs);
}

void CGraphBase::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) return;
    const double factor = std::pow(0.8, steps);
    WheelZoom(event->position().toPoint(), factor, event->modifiers().testFlag(Qt::ControlModifier));
    event->accept();
}

QString CGraphBase::ReadoutAt(QPoint position) {
    const QRect plot = PlotRect();
    const CBlock* x = graph_.axisSlots[0].block.block;
    const std::int64_t count = GraphDrawing::SampleCount(Document());
    if (!plot.contains(position) || x == nullptr || count == 0) return {};
    const std::int64_t j = drawing_.NearestSample(graph_, Document(), drawing_.XValueAt(position.x()));
    if (j < 0) return {};
    QStringList parts;
    auto add = [&](const CBlock& block) {
        parts << QString::fromStdString(block.label + " " + FormatNumber("%.6g", block.ValueAt(j)));
    };
    add(*x);
    for (int k = 1; k <= kMaxCurves; ++k)
        if (graph_.CurveShown(k)) add(*graph_.axisSlots[k].block.block);
    return parts.join(QStringLiteral("    "));
}

void CGraphBase::ShowReadout(QPoint position) {
    readout_ = ReadoutAt(position);
    cursorX_ = readout_.isEmpty() ? -1 : position.x();
    viewport()->update();
    if (auto* main = qobject_cast<QMainWindow*>(window())) main->statusBar()->showMessage(readout_);
}

void CGraphBase::leaveEvent(QEvent* event) {
    CTemplateView::leaveEvent(event);
    cursorX_ = -1;
    readout_.clear();
    viewport()->update();
    if (auto* main = qobject_cast<QMainWindow*>(window())) main->statusBar()->clearMessage();
}

std::string CGraphBase::VisibleDataText(char separator) const {
    const auto [low, high] = drawing_.DrawnLimits(0);
    return GraphDataText(graph_, Document(), low, high, separator);
}

void CGraphBase::CopyToClipboard() const {
    QApplication::clipboard()->setText(QString::fromStdString(VisibleDataText('\t')));
}

void CGraphBase::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        return;
    }
    // Esc gives up a zoom being dragged.
    if (event->key() == Qt::Key_Escape && dragging_) {
        dragging_ = false;
        rubberBand_ = QRect();
        viewport()->update();
        return;
    }
    CTemplateView::keyPressEvent(event);
}

}  // namespace ondrel::gui
