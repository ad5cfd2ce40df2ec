#pragma once
// A graph view on paper: one page. The printable area in units of 0.01 inch, its upper half
// on a portrait page, with the top at 5; the margins, label sizes and divisions are those of
// the window (laid out for its size on the screen), and with "Always print B/W" every pen and
// text is black.
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

#include "gui/printing/PrintableView.h"

namespace ondrel {
class CTarvekDoc;
class GraphViewState;
}  // namespace ondrel

namespace ondrel::gui {

class GraphPrintable : public IPrintableView {
public:
    // The size of the window the margins are laid out for; without a window (printing a
    // stored view) the page's own size stands in for it.
    using ScreenSize = std::function<QSize()>;

    // Both must outlive the printable. Printing rescales the graph as its window does.
    GraphPrintable(const ondrel::CTarvekDoc& doc, ondrel::GraphViewState& state, ScreenSize screenSize = {});

    int EstimatePageCount() override { return 1; }
    QString PrintJobName() const override;
    int BeginPrinting(QPagedPaintDevice& device, const PrintContext& context) override;
    void PaintPage(QPainter& painter, int page) override;
    void EndPrinting() override {}

    // The drawing area of the page laid out last, 0.01 inch.
    QRect PageArea() const;

private:
    const ondrel::CTarvekDoc& doc_;
    ondrel::GraphViewState& state_;
    ScreenSize screenSize_;
    double dpi_ = 100.0;
    int width_ = 0;   // printable width, 0.01 inch
    int bottom_ = 0;  // the drawing's bottom, 0.01 inch (half the height on a portrait page)
};

}  // namespace ondrel::gui
