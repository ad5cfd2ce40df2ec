#pragma once
// The chart view: a scrolling window that shows a chart document as a block diagram. Its
// look comes from the chart-view state it is given (settings, title, notes); the document
// supplies the blocks. One drawing path, Paint, serves the screen, images and printers.
//
// Coordinates: the chart is laid out in units of 0.01 inch with y pointing up (every y
// inside the chart is zero or negative); Paint maps them onto the device at its resolution.
#include <QAbstractScrollArea>
#include <QRect>
#include <functional>
#include <memory>

#include "model/DocumentView.h"
#include "printing/PrintableView.h"
#include "views/chart/ChartCulling.h"
#include "views/chart/ChartHitTest.h"
#include "views/chart/ChartLayout.h"
#include "views/chart/IconCache.h"

class QPainter;

namespace ondrel {
class ChartCommand;
class CTarvekDoc;
class ChartViewState;
}  // namespace ondrel

namespace ondrel::gui {

class ChartPrintable;

class CTarvekView : public QAbstractScrollArea, public ondrel::IDocumentView, public IPrintableView {
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

    // Printing: the chart's pages, as every printed chart view makes them.
    int EstimatePageCount() override;
    QString PrintJobName() const override;
    int BeginPrinting(QPagedPaintDevice& device, const PrintContext& context) override;
    void PaintPage(QPainter& painter, int page) override;
    void EndPrinting() override;

    ondrel::CBlock* SelectedBlock() const { return selected_; }
    void SetSelectedBlock(ondrel::CBlock* block);

    // --- editing (mouse and Edit commands) --------------------------------------------------
    // Every change to the chart goes to the sink as a command, which applies it (the chart's
    // undo stack). Without a sink a command is applied at once and forgotten.
    using CommandSink = std::function<void(std::unique_ptr<ondrel::ChartCommand>)>;
    void SetCommandSink(CommandSink sink) { sink_ = std::move(sink); }

    // A block tool: the document makes a pending block of the tool's type, dropped by the
    // next left click on a free grid position.
    void StartPlacing(int commandId);
    bool IsPlacing() const { return placing_; }
    bool IsConnecting() const { return connecting_; }
    // The tool that armed the placing now (0 for a paste or a move), and the last one used.
    int PlacingCommand() const { return placing_ ? currentTool_ : 0; }
    int LastToolCommand() const { return lastTool_; }
    ondrel::CBlock* MovingBlock() const { return moving_; }

    bool CanCopy() const { return selected_ != nullptr; }
    bool CanPaste() const;
    void Copy();
    void Cut();
    void Paste();
    void DeleteSelected();

    // A point of the viewport in chart units (y up), and back.
    QPoint ToChartPoint(QPoint viewportPoint) const;
    QPoint ToViewportPoint(QPoint chartPoint) const;
    // Where the rubber band runs while connecting, chart units.
    QPoint RubberBandStart() const { return bandStart_; }
    QPoint RubberBandEnd() const { return bandEnd_; }

    // The frame caption changes with the view title.
    QString CaptionTitle() const;

signals:
    void TitleChanged(const QString& title);
    // Selection, placing or connecting changed: the Edit commands and tools follow.
    void EditStateChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // Esc gives up a placing or a connection, as a right click does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateScrollBars();
    void Perform(std::unique_ptr<ondrel::ChartCommand> command);
    void LeftClick(QPoint point);
    void RightClick(QPoint point);
    void Drop(QPoint point);
    void FinishConnection(QPoint point);
    void ClickWhileIdle(QPoint point);
    void ArmPlacing(std::unique_ptr<ondrel::CBlock> block, int toolCommand);
    void CancelPlacing();
    void CancelConnecting();
    void EditingChanged();
    void PaintRubberBand(QPainter& painter);
    void ForgetBlock(const ondrel::CBlock* block);

    ondrel::CTarvekDoc& doc_;
    ondrel::ChartViewState& state_;
    ChartGeometry geometry_;
    bool laidOut_ = false;
    ChartCulling culling_;  // brought up to date before every paint
    IconCache icons_;
    TextWidthCache textWidths_;
    ondrel::CBlock* selected_ = nullptr;
    CommandSink sink_;
    bool placing_ = false;
    bool pasting_ = false;
    ondrel::CBlock* moving_ = nullptr;
    int currentTool_ = 0;
    int lastTool_ = 0;
    // The block the last tool placed; forgotten when it leaves the chart.
    ondrel::CBlock* lastPlaced_ = nullptr;
    bool connecting_ = false;
    PortHit firstEnd_;
    QPoint bandStart_;
    QPoint bandEnd_;
    int hitToleranceX_ = 10;
    int hitToleranceY_ = 10;
    QString shownTitle_;  // the title the frame caption was last told
    std::unique_ptr<ChartPrintable> printable_;
};

}  // namespace ondrel::gui
