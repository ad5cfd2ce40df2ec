// Editing a chart with the mouse and the Edit commands: the view is idle, placing a block
// (new, pasted or moved) or connecting two ports. Changes reach the document as commands
// through the view's sink, so each one can be undone.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QScrollBar>
#include <cmath>

#include "core/blocks/BlockCatalogue.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ChartCommand.h"
#include "core/model/views/ChartViewState.h"
#include "gui/resources/BlockIcons.h"
#include "gui/views/chart/BlockClipboard.h"
#include "gui/views/chart/CTarvekView.h"

namespace ondrel::gui {
namespace {

bool IsClock(const ondrel::CTarvekDoc& doc, const ondrel::CBlock* block) {
    return block != nullptr && block == doc.Clock();
}

}  // namespace

QPoint CTarvekView::ToChartPoint(QPoint viewportPoint) const {
    const double scale = DotsPerInch() / kChartUnitsPerInch;
    const double x = (viewportPoint.x() + horizontalScrollBar()->value()) / scale;
    const double y = (viewportPoint.y() + verticalScrollBar()->value()) / scale;
    return {static_cast<int>(std::floor(x)), -static_cast<int>(std::floor(y))};
}

QPoint CTarvekView::ToViewportPoint(QPoint chartPoint) const {
    const double scale = DotsPerInch() / kChartUnitsPerInch;
    const double x = std::ceil(chartPoint.x() * scale) - horizontalScrollBar()->value();
    const double y = std::ceil(-chartPoint.y() * scale) - verticalScrollBar()->value();
    return {static_cast<int>(x), static_cast<int>(y)};
}

void CTarvekView::Perform(std::unique_ptr<ondrel::ChartCommand> command) {
    if (command == nullptr) return;
    if (sink_) {
        sink_(std::move(command));
    } else {
        command->Apply(doc_);
    }
}

void CTarvekView::StartPlacing(int commandId) {
    const ondrel::CatalogueEntry* entry = ondrel::FindCatalogueEntryByCommand(commandId);
    if (entry == nullptr) return;
    std::unique_ptr<ondrel::CBlock> block = doc_.CreateBlock(entry->typeId);
    if (block == nullptr) return;
    lastTool_ = commandId;
    ArmPlacing(std::move(block), commandId);
}

// A new or pasted block waits in the view for its grid position.
void CTarvekView::ArmPlacing(std::unique_ptr<ondrel::CBlock> block, int toolCommand) {
    CancelConnecting();
    moving_ = nullptr;
    pendingBlock_ = std::move(block);
    currentTool_ = toolCommand;
    pasting_ = false;
    placing_ = true;
    EditingChanged();
}

void CTarvekView::CancelPlacing() {
    if (!placing_) return;
    // A block being moved stays where it was; a new one is thrown away.
    if (moving_ == nullptr) pendingBlock_.reset();
    moving_ = nullptr;
    carried_.clear();
    pendingGroup_ = {};
    grabbed_ = nullptr;
    placing_ = false;
    pasting_ = false;
    currentTool_ = 0;
}

void CTarvekView::CancelConnecting() {
    connecting_ = false;
    firstEnd_ = {};
}

void CTarvekView::EditingChanged() {
    viewport()->setCursor(placing_ ? PlacingCursor() : QCursor(Qt::ArrowCursor));
    viewport()->setMouseTracking(connecting_ || placing_);
    if (!placing_) hover_.reset();
    Layout();
    viewport()->update();
    emit EditStateChanged();
    emit GuidanceChanged(GuidanceText());
}

void CTarvekView::ForgetBlock(const ondrel::CBlock* block) {
    selection_.Forget(block);
    std::erase(carried_, block);
    if (block == grabbed_) {
        grabbed_ = nullptr;
        press_ = Press::None;
        dragging_ = false;
    }
    if (block == lastPlaced_) lastPlaced_ = nullptr;
    if (block == moving_) {
        moving_ = nullptr;
        placing_ = false;
        currentTool_ = 0;
        viewport()->setCursor(Qt::ArrowCursor);
    }
    if (placing_ && moving_ == nullptr && pendingGroup_.blocks.empty() && pendingBlock_ == nullptr &&
        !carried_.empty()) {
        // A block of a carried group left the chart (an undo): the rest stays where it is.
        carried_.clear();
        placing_ = false;
        viewport()->setCursor(Qt::ArrowCursor);
    }
    if (connecting_ && block == firstEnd_.block) {
        CancelConnecting();
        viewport()->setMouseTracking(false);
    }
    emit EditStateChanged();
}

void CTarvekView::mousePressEvent(QMouseEvent* event) {
    const QPoint point = ToChartPoint(event->position().toPoint());
    refusal_.clear();
    if (event->button() == Qt::LeftButton) {
        pressAt_ = event->position().toPoint();
        LeftClick(point);
    } else if (event->button() == Qt::RightButton) {
        press_ = Press::None;
        shiftHeld_ = event->modifiers().testFlag(Qt::ShiftModifier);
        RightClick(point);
        shiftHeld_ = false;
    } else {
        QAbstractScrollArea::mousePressEvent(event);
    }
}

void CTarvekView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (press_ != Press::None) return DragTo(at);
    if (placing_) {
        hover_ = at;
        viewport()->update();
        return;
    }
    if (!connecting_) return;
    bandEnd_ = ToChartPoint(at);
    viewport()->update();
}

void CTarvekView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && press_ != Press::None) {
        ReleasePress(event->position().toPoint());
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CTarvekView::keyPressEvent(QKeyEvent* event) {
    if (HandleViewKey(event)) return;
    if (event->key() != Qt::Key_Escape || (!placing_ && !connecting_)) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    CancelPlacing();
    CancelConnecting();
    EditingChanged();
}

void CTarvekView::LeftClick(QPoint point) {
    if (!laidOut_) Layout();
    if (placing_) {
        Drop(point);
    } else if (connecting_) {
        FinishConnection(point);
    } else {
        ClickWhileIdle(point);
    }
}

// A click that misses the grid or lands on a taken position keeps the block waiting.
void CTarvekView::Drop(QPoint point) {
    const auto cell = SnapToGrid(geometry_, point, hitToleranceX_, hitToleranceY_);
    if (!cell) return;
    if (!carried_.empty() || !pendingGroup_.blocks.empty()) {
        if (!(carried_.empty() ? DropPastedGroup(*cell) : DropGroup(*cell))) return;
        placing_ = false;
        pasting_ = false;
        EditingChanged();
        return;
    }
    if (IsOccupied(doc_, *cell)) return;
    if (moving_ != nullptr) {
        ondrel::CBlock* moved = moving_;
        moving_ = nullptr;
        selection_.Clear();
        Perform(ondrel::MakeMoveCommand(*moved, *cell));
    } else if (pendingBlock_ != nullptr) {
        ondrel::CBlock* placed = pendingBlock_.get();
        Perform(ondrel::MakePlaceCommand(std::move(pendingBlock_), *cell, pasting_));
        // Another click on empty space repeats a tool, not a paste.
        lastPlaced_ = pasting_ ? nullptr : placed;
    }
    placing_ = false;
    pasting_ = false;
    currentTool_ = 0;
    EditingChanged();
}

// The second end must be a port of another block, and exactly one of the two an output.
void CTarvekView::FinishConnection(QPoint point) {
    const std::optional<PortHit> second = PortAt(doc_, geometry_, state_.MagBmp, point);
    if (!second || second->block == firstEnd_.block || (second->port == 0) == (firstEnd_.port == 0))
        return;
    const PortHit input = firstEnd_.port == 0 ? *second : firstEnd_;
    const PortHit output = firstEnd_.port == 0 ? firstEnd_ : *second;
    CancelConnecting();
    Perform(ondrel::MakeConnectCommand(*input.block, input.port, *output.block));
    EditingChanged();
}

void CTarvekView::ClickWhileIdle(QPoint point) {
    if (const auto port = PortAt(doc_, geometry_, state_.MagBmp, point)) {
        firstEnd_ = *port;
        bandStart_ = bandEnd_ = PortConnectionPoint(geometry_, state_.MagBmp, *port);
        connecting_ = true;
        EditingChanged();
        return;
    }
    if (ondrel::CBlock* block = BlockAt(doc_, geometry_, state_.MagBmp, point)) {
        if (selection_.Contains(block)) {
            // A click picks the selection up, a drag moves it: the release tells.
            press_ = Press::OnSelection;
            grabbed_ = block;
        } else {
            block->EditProperties();
        }
        return;
    }
    // A click repeats the last tool, a drag selects with a rubber band: the release tells.
    press_ = Press::OnEmpty;
}

// A click on the selection without motion: a single block is picked up as always, a group
// is carried as a whole.
void CTarvekView::PickUpSelection() {
    if (ondrel::CBlock* single = selection_.Single()) {
        moving_ = single;
    } else {
        carried_ = selection_.Blocks();
    }
    currentTool_ = 0;
    placing_ = true;
    EditingChanged();
}

void CTarvekView::RepeatLastTool() {
    if (lastTool_ != 0 && lastPlaced_ != nullptr) {
        ArmPlacing(doc_.CreateBlock(lastPlaced_->typeId), lastTool_);
    }
}

void CTarvekView::RightClick(QPoint point) {
    if (!laidOut_) Layout();
    if (placing_) {
        CancelPlacing();
    } else if (connecting_) {
        CancelConnecting();
    } else {
        ondrel::CBlock* block = BlockAt(doc_, geometry_, state_.MagBmp, point);
        if (shiftHeld_)
            selection_.Toggle(block);
        else
            selection_.Set(block);
    }
    EditingChanged();
}

bool CTarvekView::CanPaste() const {
    return (BlockClipboard::Instance().HasBlock() || GroupClipboard::Instance().HasGroup()) && !placing_;
}

void CTarvekView::Copy() {
    if (selection_.Size() > 1) return CopyGroup();
    ondrel::CBlock* selected = selection_.Single();
    if (selected == nullptr || IsClock(doc_, selected)) return;
    BlockClipboard::Instance().Copy(doc_, *selected);
    GroupClipboard::Instance().Clear();
    emit EditStateChanged();
}

void CTarvekView::Cut() {
    if (selection_.Size() > 1) return CutOrDeleteGroup(true);
    ondrel::CBlock* selected = selection_.Single();
    if (selected == nullptr || IsClock(doc_, selected)) return;
    BlockClipboard::Instance().Copy(doc_, *selected);
    GroupClipboard::Instance().Clear();
    ondrel::CBlock* cut = selected;
    selection_.Clear();
    Perform(ondrel::MakeDeleteCommand(doc_, *cut, true));
    EditingChanged();
}

void CTarvekView::Paste() {
    if (!CanPaste()) return;
    if (GroupClipboard::Instance().HasGroup()) {
        PastedGroup group = GroupClipboard::Instance().MakeCopy(doc_);
        if (group.blocks.empty()) return;
        ArmPlacing(nullptr, 0);
        pendingGroup_ = std::move(group);
        pasting_ = true;
        EditingChanged();
        return;
    }
    std::unique_ptr<ondrel::CBlock> copy = BlockClipboard::Instance().MakeCopy(doc_);
    if (copy == nullptr) return;
    ArmPlacing(std::move(copy), 0);
    pasting_ = true;
}

void CTarvekView::DeleteSelected() {
    if (selection_.Size() > 1) return CutOrDeleteGroup(false);
    ondrel::CBlock* selected = selection_.Single();
    if (selected == nullptr || IsClock(doc_, selected)) return;
    ondrel::CBlock* deleted = selected;
    selection_.Clear();
    Perform(ondrel::MakeDeleteCommand(doc_, *deleted));
    EditingChanged();
}

// The line from the first port to the mouse, drawn over the chart while connecting.
void CTarvekView::PaintRubberBand(QPainter& painter) {
    const QPoint from = ToViewportPoint(bandStart_);
    const QPoint to = ToViewportPoint(bandEnd_);
    painter.save();
    painter.setClipping(false);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(from, to);
    painter.restore();
}

}  // namespace ondrel::gui
