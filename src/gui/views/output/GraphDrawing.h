#pragma once
// Everything a graph view draws, through one painting function for every device: the
// window, an exported image (PNG or SVG) and, later, the printer. The drawing keeps the
// graph's display state: its scales after the last rescale, the layout of the last drawing
// and the curves' point buffers, reused from one repaint to the next.
//
// The core's scale and layout types stay out of this header (their member names clash with
// Qt's keyword macros), so any Qt file can include it.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <memory>
#include <utility>

class QColor;
class QPainter;

namespace ondrel {
class CTarvekDoc;
class GraphViewState;
class ITextMeasurer;
}  // namespace ondrel

namespace ondrel::gui {

// How a printed page draws: with the margins, label sizes and divisions the window has (laid
// out for screenSize on the screen) moved onto the page's area, and every pen and text black
// when black is set.
struct GraphPrintStyle {
    QSize screenSize;
    bool black = false;
};

class GraphDrawing {
public:
    GraphDrawing();
    ~GraphDrawing();
    GraphDrawing(const GraphDrawing&) = delete;
    GraphDrawing& operator=(const GraphDrawing&) = delete;

    // Limits, divisions, sides and label sizes from the samples (or the fixed limits); the
    // found limits are written into the state's slots.
    void Rescale(ondrel::GraphViewState& state, const ondrel::CTarvekDoc& doc,
                 const ondrel::ITextMeasurer& measurer);
    bool Rescaled() const { return rescaled_; }
    // The next drawing builds every curve's points anew (a rescale does this too; a repaint
    // with the same samples, scales and plot otherwise reuses them).
    void ForgetCurves();

    // Draws the graph into area (drawing units, y down). unitsPerInch sizes the fonts: 96 on
    // the screen and in images. decimate false draws every segment of every curve on its own
    // (the reference that the reduced drawing matches).
    // print, when given, draws a printed page (see GraphPrintStyle).
    void Paint(QPainter& painter, const QRect& area, double unitsPerInch, ondrel::GraphViewState& state,
               const ondrel::CTarvekDoc& doc, bool decimate = true, const GraphPrintStyle* print = nullptr);

    // The plot rectangle of the last drawing in the device's coordinates (x from left to
    // right margin, y from top to bottom margin, right and bottom edges outside).
    QRect PlotRect() const;
    // The limits slot (0 X, 1..3 curves) is drawn with after the last rescale: finite, low
    // below high.
    std::pair<double, double> DrawnLimits(int slot) const;
    bool SlotShown(int slot) const;
    // The divisions of the scale on the left and on the right (0: none there).
    int LeftDivisions() const;
    int RightDivisions() const;
    int XDivisions() const;
    // The value of the X scale (or of curve slot's scale) at a device position.
    double XValueAt(double deviceX) const;
    double YValueAt(int slot, double deviceY) const;

    // The sample whose X value is nearest to value; -1 with no samples or no X block.
    std::int64_t NearestSample(const ondrel::GraphViewState& state, const ondrel::CTarvekDoc& doc,
                               double value);
    // The number of samples a graph of doc shows (the Clock's history).
    static std::int64_t SampleCount(const ondrel::CTarvekDoc& doc);

private:
    struct Parts;
    void PaintNotes(QPainter& painter, const ondrel::GraphViewState& state, double unitsPerInch) const;
    void PaintAxesAndTicks(QPainter& painter, const ondrel::GraphViewState& state) const;
    void PaintLabels(QPainter& painter, const ondrel::GraphViewState& state, double unitsPerInch) const;
    void PaintLegends(QPainter& painter, const ondrel::GraphViewState& state, double unitsPerInch) const;
    void PaintCurves(QPainter& painter, const ondrel::GraphViewState& state, const ondrel::CTarvekDoc& doc,
                     bool decimate);

    // The colour of ink: black on a black-and-white printed page.
    QColor Ink(std::uint32_t color) const;

    std::unique_ptr<Parts> parts_;
    QPoint origin_;
    bool black_ = false;
    bool rescaled_ = false;
};

}  // namespace ondrel::gui
