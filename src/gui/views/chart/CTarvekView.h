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
#include <optional>

#include "core/blocks/CBlock.h"
#include "core/model/DocumentView.h"
#include "gui/printing/PrintableView.h"
#include "gui/views/chart/ChartCulling.h"
#include "gui/views/chart/ChartHitTest.h"
#include "gui/views/chart/ChartLayout.h"
#include "gui/views/chart/ChartSelection.h"
#include "gui/views/chart/GroupClipboard.h"
#include "gui/views/chart/IconCache.h"

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
    void OnUpdate(ondrel::IDocumentView* sender, UpdateHint hint, ondrel::CBlock* block) override;

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

    // The selected block when exactly one is selected (a right click), else null.
    ondrel::CBlock* SelectedBlock() const { return selection_.Single(); }
    void SetSelectedBlock(ondrel::CBlock* block);
    // Every selected block: one, a group, or none.
    const ChartSelection& Selection() const { return selection_; }
    void SelectBlocks(std::vector<ondrel::CBlock*> blocks);
    // Ctrl+A: every block but the Clock.
    void SelectAll();
    // Selects block and scrolls it into sight: a message names it.
    void ShowBlock(ondrel::CBlock* block);
    // A group picked up (by a click on it) and waiting for a grid position.
    const std::vector<ondrel::CBlock*>& CarriedGroup() const { return carried_; }
    // The group a paste holds until it is dropped.
    std::size_t PendingGroupSize() const { return pendingGroup_.blocks.size(); }
    // What a click will do now, for the status bar; "" when idle.
    QString GuidanceText() const;

    // Zoom: the view's magnification one step up or down, or back to 1, about a point of the
    // viewport (its centre by default). A change of the view's settings, not an undo step.
    void ZoomBy(int direction, std::optional<QPoint> about = std::nullopt);
    void ZoomReset();

    // --- editing (mouse and Edit commands) --------------------------------------------------
    // Every change to the chart goes to the sink as a command, which applies it (the chart's
    // undo stack). Without a sink a command is applied at once and forgotten.
    using CommandSink = std::function<void(std::unique_ptr<ondrel::ChartCommand>)>;
    void SetCommandSink(CommandSink sink) { sink_ = std::move(sink); }

    // A block tool: the document makes a block of the tool's type, which waits here until
    // the next left click on a free grid position drops it.
    void StartPlacing(int commandId);
    // The new or pasted block waiting for its grid position; null when none is.
    const ondrel::CBlock* PendingBlock() const { return pendingBlock_.get(); }
    bool IsPlacing() const { return placing_; }
    bool IsConnecting() const { return connecting_; }
    // The tool that armed the placing now (0 for a paste or a move), and the last one used.
    int PlacingCommand() const { return placing_ ? currentTool_ : 0; }
    int LastToolCommand() const { return lastTool_; }
    ondrel::CBlock* MovingBlock() const { return moving_; }

    bool CanCopy() const { return !selection_.Empty(); }
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
    // What a click will do now changed (or a drop was refused): the status bar shows it.
    void GuidanceChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Ctrl+wheel zooms about the mouse; the wheel alone scrolls.
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;  // tool tips of the blocks
    // Esc gives up a placing or a connection, as a right click does, and else clears the
    // selection; Ctrl+A selects all; Ctrl+=, Ctrl+- and Ctrl+0 zoom.
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
    // Group editing (ChartGroupEditing.cpp).
    enum class Press { None, OnSelection, OnEmpty };
    void DragTo(QPoint viewportPoint);
    void ReleasePress(QPoint viewportPoint);
    void PickUpSelection();
    void RepeatLastTool();
    bool HandleViewKey(QKeyEvent* event);
    bool DropGroup(ondrel::GridPoint cell);
    bool DropPastedGroup(ondrel::GridPoint cell);
    void CopyGroup();
    void CutOrDeleteGroup(bool cut);
    bool GroupFits(const std::vector<ondrel::GridPoint>& cells, const std::vector<ondrel::CBlock*>& leaving) const;
    void Refuse(const QString& why);
    void PaintOverlay(QPainter& painter);
    void PaintGhost(QPainter& painter);
    std::optional<ondrel::GridPoint> NearestCell(QPoint viewportPoint) const;
    QString ToolTipAt(QPoint viewportPoint) const;

    ondrel::CTarvekDoc& doc_;
    ondrel::ChartViewState& state_;
    ChartGeometry geometry_;
    bool laidOut_ = false;
    ChartCulling culling_;  // told of every change the document announces; updated before a paint
    IconCache icons_;
    TextWidthCache textWidths_;
    ChartSelection selection_;
    // A press that becomes a click or a drag once the mouse moves or is released.
    Press press_ = Press::None;
    QPoint pressAt_;                 // viewport
    ondrel::CBlock* grabbed_ = nullptr;  // the selected block the press fell on
    bool dragging_ = false;
    QPoint dragAt_;                  // viewport, the mouse while dragging
    std::vector<ondrel::CBlock*> carried_;  // a picked-up group
    PastedGroup pendingGroup_;       // a pasted group waiting for its position
    std::optional<QPoint> hover_;    // viewport, the mouse while something is carried
    bool shiftHeld_ = false;         // Shift was held at the right click being handled
    QString refusal_;                // why the last drop was refused, until the next change
    CommandSink sink_;
    bool placing_ = false;
    bool pasting_ = false;
    ondrel::CBlock* moving_ = nullptr;
    std::unique_ptr<ondrel::CBlock> pendingBlock_;  // not yet in the chart
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
