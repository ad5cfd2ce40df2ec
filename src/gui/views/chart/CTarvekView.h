#pragma once
// The chart view: a scrolling window that shows a chart document as a block diagram. Its
// look comes from the chart-view state it is given (settings, title, notes); the document
// supplies the blocks. One drawing path, Paint, serves the screen, images and printers.
//
// Coordinates: the chart is laid out in units of 0.01 inch with y pointing up (every y
// inside the chart is zero or negative); Paint maps them onto the device at its resolution.
#include <QAbstractScrollArea>
#include <QRect>

#include "model/DocumentView.h"
#include "views/chart/ChartLayout.h"
#include "views/chart/IconCache.h"

class QPainter;

namespace ondrel {
class CTarvekDoc;
class ChartViewState;
}  // namespace ondrel

namespace ondrel::gui {

class CTarvekView : public QAbstractScrollArea, public ondrel::IDocumentView {
    Q_OBJECT
public:
    // Attaches itself to doc; state must outlive the view (the frame owns both).
    CTarvekView(ondrel::CTarvekDoc& doc, ondrel::ChartViewState& state, QWidget* parent = nullptr);
    ~CTarvekView() override;

    ondrel::ChartViewState& State() { return state_; }
    ondrel::CTarvekDoc& Document() { return doc_; }

    // Lays out, sets the hit tolerances, and carries the stored titles over to the frame
    // caption and the document.
    void OnInitialUpdate();
    // Hint object null: lay out again and repaint everything; otherwise nothing.
    void OnUpdate(ondrel::IDocumentView* sender, int hint, ondrel::CBlock* block) override;

    // Recomputes the geometry for the current viewport and updates the scroll bars.
    void Layout();
    const ChartGeometry& Geometry() const { return geometry_; }
    // The chart's full size in device pixels at DotsPerInch: what the scroll bars cover.
    QSize ScrollTotalPixels() const;
    // The device resolution the view maps chart units to (the screen's logical resolution).
    double DotsPerInch() const;

    // Paints the chart: its logical origin at area.topLeft(), area's width the drawing
    // rectangle for the notes, dotsPerInch the device resolution. Paints only what the
    // painter's clip (when set) can show. Printers get no holding marks.
    void Paint(QPainter& painter, const QRect& area, double dotsPerInch);

    ondrel::CBlock* SelectedBlock() const { return selected_; }
    void SetSelectedBlock(ondrel::CBlock* block);

    // A block tool was chosen: remember the command until the chart is clicked.
    void StartPlacing(int commandId);
    int PlacingCommand() const { return placingCommand_; }

    // The frame caption changes with the view title.
    QString CaptionTitle() const;

signals:
    void TitleChanged(const QString& title);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();

    ondrel::CTarvekDoc& doc_;
    ondrel::ChartViewState& state_;
    ChartGeometry geometry_;
    bool laidOut_ = false;
    IconCache icons_;
    TextWidthCache textWidths_;
    ondrel::CBlock* selected_ = nullptr;
    int placingCommand_ = 0;
    bool placing_ = false;
    int hitToleranceX_ = 10;
    int hitToleranceY_ = 10;
};

}  // namespace ondrel::gui
