#pragma once
// The graph view: up to three curves of recorded samples against a fourth block, scaled by
// themselves unless fixed, drawn through one Paint for the window, images and printers.
//
// Mouse: a left drag of at least 5 pixels inside the plot zooms to the dragged rectangle
// (every scale becomes Fixed; Esc gives the drag up), a right press returns to automatic
// scales; the wheel zooms X about the mouse (with Ctrl the curves' scales) in the same way.
// Moving over the plot shows X and every curve at the nearest sample in the status bar, with
// a thin cursor line. Ctrl+C copies the samples in view.
#include <QPoint>
#include <QRect>
#include <QString>
#include <string>

#include "gui/printing/PrintsThrough.h"
#include "gui/views/output/CTemplateView.h"
#include "gui/views/output/GraphDrawing.h"

namespace ondrel {
class GraphViewState;
}

namespace ondrel::gui {

class CGraphBase : public CTemplateView, public PrintsThrough {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 122;
    static constexpr int kMinZoomPixels = 5;

    CGraphBase(CTarvekDoc& doc, GraphViewState& state, QWidget* parent = nullptr);

    GraphViewState& Graph() { return graph_; }
    int HelpContext() const override { return kHelpContext; }
    void OnInitialUpdate(bool newView) override;
    void Paint(QPainter& painter, const QRect& area, double dotsPerInch) override;

    // The plot rectangle in window pixels.
    QRect PlotRect() const { return drawing_.PlotRect(); }
    const GraphDrawing& Drawing() const { return drawing_; }
    // Every scale takes the given limits and becomes Fixed (a drag or wheel zoom), or every
    // scale becomes automatic again (a right press); both rescale and repaint.
    void ZoomTo(double xLow, double xHigh, const double (&curveLow)[4], const double (&curveHigh)[4]);
    void Unzoom();
    // What the status bar shows for the mouse at this window position; empty outside the plot.
    QString ReadoutAt(QPoint position);
    QString LastReadout() const { return readout_; }
    // The visible samples as text (CSV with ',' or tab-separated for the clipboard).
    std::string VisibleDataText(char separator) const;
    // Edit > Copy.
    void CopyToClipboard() const;

protected:
    void Refresh() override;
    void OnFocusGained() override;
    void OnBlockDeleting(CBlock& block) override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Rescale();
    void ApplyZoom();
    void FinishDrag(QPoint end);
    void ShowReadout(QPoint position);
    void WheelZoom(QPoint position, double factor, bool curves);

    GraphViewState& graph_;
    GraphDrawing drawing_;
    bool dragging_ = false;
    QPoint dragStart_;
    QRect rubberBand_;  // the inverted rectangle shown while dragging (empty: none)
    int cursorX_ = -1;  // the readout's cursor line (-1: none)
    QString readout_;
};

}  // namespace ondrel::gui
