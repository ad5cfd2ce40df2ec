// Editing more than one block at a time, and what the view tells while editing: the rubber
// band that selects, dragging a selection to move it, carrying a picked-up group, pasting a
// group, the ghost of whatever is carried, the status-bar guidance, block tool tips and zoom.
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <set>
#include <unordered_set>
#include <utility>

#include "core/model/CTarvekDoc.h"
#include "core/model/edits/GroupCommands.h"
#include "core/model/edits/ZoomSteps.h"
#include "core/model/views/ChartViewState.h"
#include "gui/views/chart/BlockClipboard.h"
#include "gui/views/chart/CTarvekView.h"
#include "gui/views/chart/ChartPainter.h"

namespace ondrel::gui {
namespace {

QString Label(const ondrel::CBlock& block) {
    return QString::fromStdString(ondrel::EditLabel(block));
}

QString Blocks(std::size_t count) { return QStringLiteral("the %1 blocks").arg(count); }

// "a Sum", "an Integrate".
QString WithArticle(const QString& name) {
    const bool vowel = !name.isEmpty() && QStringLiteral("AEIOUaeiou").contains(name.front());
    return (vowel ? QStringLiteral("an ") : QStringLiteral("a ")) + name;
}

constexpr const char* kStop = "; right click or Esc to stop";

}  // namespace

void CTarvekView::SelectBlocks(std::vector<ondrel::CBlock*> blocks) {
    selection_.Set(std::move(blocks));
    EditingChanged();
}

void CTarvekView::SelectAll() {
    if (placing_ || connecting_) return;
    SelectBlocks(AllButTheClock(doc_));
}

void CTarvekView::ShowBlock(ondrel::CBlock* block) {
    if (block == nullptr || placing_ || connecting_) return;
    selection_.Set(block);
    const QPoint at = ToViewportPoint(CellCentre(geometry_, block->position));
    if (!viewport()->rect().adjusted(20, 20, -20, -20).contains(at)) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + at.x() - viewport()->width() / 2);
        verticalScrollBar()->setValue(verticalScrollBar()->value() + at.y() - viewport()->height() / 2);
    }
    EditingChanged();
    viewport()->repaint();  // the message box is modal: show it now
}

std::optional<ondrel::GridPoint> CTarvekView::NearestCell(QPoint viewportPoint) const {
    // A tolerance of a whole cell always finds the nearest grid position on the chart.
    return SnapToGrid(geometry_, ToChartPoint(viewportPoint), geometry_.cellWidth, geometry_.cellHeight);
}

void CTarvekView::DragTo(QPoint viewportPoint) {
    dragAt_ = viewportPoint;
    if (!dragging_ && (viewportPoint - pressAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!dragging_) {
        dragging_ = true;
        emit EditStateChanged();
        emit GuidanceChanged(GuidanceText());
    }
    viewport()->update();
}

void CTarvekView::ReleasePress(QPoint viewportPoint) {
    const Press press = std::exchange(press_, Press::None);
    const bool dragged = std::exchange(dragging_, false);
    ondrel::CBlock* grabbed = std::exchange(grabbed_, nullptr);
    if (!dragged) {
        if (press == Press::OnSelection) {
            grabbed_ = grabbed;  // a carried group hangs from the block it was picked up by
            PickUpSelection();
        } else {
            RepeatLastTool();
        }
        return;
    }
    if (press == Press::OnEmpty) {
        const QRect band(ToChartPoint(pressAt_), ToChartPoint(viewportPoint));
        SelectBlocks(BlocksInside(doc_, geometry_, band));
        return;
    }
    const auto cell = NearestCell(viewportPoint);
    if (grabbed != nullptr && cell) {
        const ondrel::GridPoint offset{cell->x - grabbed->position.x, cell->y - grabbed->position.y};
        std::vector<ondrel::GridPoint> cells;
        for (const ondrel::CBlock* block : selection_.Blocks())
            cells.push_back({block->position.x + offset.x, block->position.y + offset.y});
        if (offset != ondrel::GridPoint{} && GroupFits(cells, selection_.Blocks()))
            Perform(ondrel::MakeGroupMoveCommand(selection_.Blocks(), offset));
        else if (offset != ondrel::GridPoint{})
            refusal_ = QStringLiteral("Cannot move %1 there: a position is taken or off the chart")
                           .arg(selection_.Size() == 1 ? Label(*selection_.Single()) : Blocks(selection_.Size()));
    }
    EditingChanged();
}

// Every cell on the chart and free, or held by one of the blocks that leave it.
bool CTarvekView::GroupFits(const std::vector<ondrel::GridPoint>& cells,
                            const std::vector<ondrel::CBlock*>& leaving) const {
    // Sets, so that checking a large group stays near linear in the chart.
    const std::unordered_set<const ondrel::CBlock*> moving(leaving.begin(), leaving.end());
    std::set<std::pair<int, int>> taken;
    for (const auto& block : doc_.blockList)
        if (!moving.contains(block.get())) taken.insert({block->position.x, block->position.y});
    for (const ondrel::GridPoint& cell : cells) {
        if (cell.x < 0 || cell.y > 0 || taken.contains({cell.x, cell.y})) return false;
    }
    return true;
}

void CTarvekView::Refuse(const QString& why) {
    refusal_ = why;
    emit EditStateChanged();
    emit GuidanceChanged(GuidanceText());
}

bool CTarvekView::DropGroup(ondrel::GridPoint cell) {
    const ondrel::CBlock* anchor = grabbed_ != nullptr ? grabbed_ : carried_.front();
    const ondrel::GridPoint offset{cell.x - anchor->position.x, cell.y - anchor->position.y};
    std::vector<ondrel::GridPoint> cells;
    for (const ondrel::CBlock* block : carried_)
        cells.push_back({block->position.x + offset.x, block->position.y + offset.y});
    if (offset == ondrel::GridPoint{} || !GroupFits(cells, carried_)) {
        Refuse(QStringLiteral("Cannot drop %1 there: a position is taken or off the chart").arg(Blocks(carried_.size())));
        return false;
    }
    std::vector<ondrel::CBlock*> moved = std::exchange(carried_, {});
    grabbed_ = nullptr;
    selection_.Clear();  // as after the move of one block
    Perform(ondrel::MakeGroupMoveCommand(moved, offset));
    return true;
}

bool CTarvekView::DropPastedGroup(ondrel::GridPoint cell) {
    std::vector<ondrel::GridPoint> cells;
    for (const ondrel::GridPoint& offset : pendingGroup_.offsets)
        cells.push_back({cell.x + offset.x, cell.y + offset.y});
    if (!GroupFits(cells, {})) {
        Refuse(QStringLiteral("Cannot paste %1 there: a position is taken or off the chart")
                   .arg(Blocks(pendingGroup_.blocks.size())));
        return false;
    }
    PastedGroup group = std::exchange(pendingGroup_, {});
    Perform(ondrel::MakeGroupPasteCommand(std::move(group.blocks), cells, group.wires));
    return true;
}

void CTarvekView::CopyGroup() {
    std::vector<ondrel::CBlock*> copied;
    for (ondrel::CBlock* block : selection_.Blocks())
        if (doc_.CanDelete(block)) copied.push_back(block);  // never the Clock
    if (copied.empty()) return;
    if (copied.size() == 1) {
        BlockClipboard::Instance().Copy(doc_, *copied.front());
        GroupClipboard::Instance().Clear();
    } else {
        GroupClipboard::Instance().Copy(doc_, copied);
        BlockClipboard::Instance().Clear();
    }
    emit EditStateChanged();
}

void CTarvekView::CutOrDeleteGroup(bool cut) {
    std::unique_ptr<ondrel::ChartCommand> command = ondrel::MakeGroupDeleteCommand(doc_, selection_.Blocks(), cut);
    if (command == nullptr) return;
    if (cut) CopyGroup();
    selection_.Clear();
    Perform(std::move(command));
    EditingChanged();
}

QString CTarvekView::GuidanceText() const {
    if (!refusal_.isEmpty()) return refusal_;
    const std::size_t count = selection_.Size();
    if (dragging_ && press_ == Press::OnEmpty) return QStringLiteral("Release to select the blocks inside the rectangle");
    if (dragging_) return QStringLiteral("Release on a grid point to move %1")
                              .arg(count == 1 ? Label(*selection_.Single()) : Blocks(count));
    if (connecting_ && firstEnd_.block != nullptr) {
        return (firstEnd_.port == 0 ? QStringLiteral("Click an input to connect %1")
                                    : QStringLiteral("Click an output to connect it to %1"))
                   .arg(Label(*firstEnd_.block)) + QString::fromLatin1(kStop);
    }
    if (placing_) {
        QString what;
        if (moving_ != nullptr) what = QStringLiteral("Click a free grid point to move %1").arg(Label(*moving_));
        else if (!carried_.empty()) what = QStringLiteral("Click a grid point to drop %1").arg(Blocks(carried_.size()));
        else if (!pendingGroup_.blocks.empty())
            what = QStringLiteral("Click a grid point to paste %1").arg(Blocks(pendingGroup_.blocks.size()));
        else if (pendingBlock_ != nullptr && pasting_)
            what = QStringLiteral("Click a free grid point to paste %1").arg(Label(*pendingBlock_));
        else if (pendingBlock_ != nullptr)
            what = QStringLiteral("Click a free grid point to place %1")
                       .arg(WithArticle(QString::fromUtf8(pendingBlock_->typeName)));
        return what + QString::fromLatin1(kStop);
    }
    if (count > 1)
        return QStringLiteral("%1 blocks selected: drag to move, click to pick up, Del to delete").arg(count);
    return {};
}

// --- painting what the mouse carries ----------------------------------------------------------

void CTarvekView::PaintOverlay(QPainter& painter) {
    if (connecting_) PaintRubberBand(painter);
    if (dragging_ && press_ == Press::OnEmpty) {
        painter.save();
        painter.setClipping(false);
        QColor fill = palette().color(QPalette::Highlight);
        fill.setAlpha(50);
        painter.setBrush(fill);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        painter.drawRect(QRect(pressAt_, dragAt_).normalized());
        painter.restore();
    }
    PaintGhost(painter);
}

// The block(s) being carried, drawn faintly at the grid positions they would take, with a
// red outline where they cannot go.
void CTarvekView::PaintGhost(QPainter& painter) {
    std::vector<std::pair<const ondrel::CBlock*, ondrel::GridPoint>> ghost;
    std::optional<ondrel::GridPoint> cell;
    const ondrel::CBlock* anchor = nullptr;
    std::vector<const ondrel::CBlock*> blocks;
    if (dragging_ && press_ == Press::OnSelection) {
        cell = NearestCell(dragAt_);
        anchor = grabbed_;
        blocks.assign(selection_.Blocks().begin(), selection_.Blocks().end());
    } else if (placing_ && hover_) {
        cell = NearestCell(*hover_);
        if (moving_ != nullptr) blocks = {moving_};
        else if (!carried_.empty()) blocks.assign(carried_.begin(), carried_.end());
        anchor = moving_ != nullptr ? moving_ : (grabbed_ != nullptr ? grabbed_ : (carried_.empty() ? nullptr : carried_.front()));
    }
    if (!cell) return;
    if (anchor != nullptr) {
        for (const ondrel::CBlock* block : blocks)
            ghost.push_back({block, {cell->x + block->position.x - anchor->position.x,
                                     cell->y + block->position.y - anchor->position.y}});
    } else if (!pendingGroup_.blocks.empty()) {
        for (std::size_t i = 0; i < pendingGroup_.blocks.size(); ++i)
            ghost.push_back({pendingGroup_.blocks[i].get(),
                             {cell->x + pendingGroup_.offsets[i].x, cell->y + pendingGroup_.offsets[i].y}});
    } else if (pendingBlock_ != nullptr) {
        ghost.push_back({pendingBlock_.get(), *cell});
    }
    std::vector<ondrel::GridPoint> cells;
    std::vector<ondrel::CBlock*> leaving;
    for (const auto& [block, at] : ghost) {
        cells.push_back(at);
        if (doc_.IndexOf(block) >= 0) leaving.push_back(const_cast<ondrel::CBlock*>(block));
    }
    const bool fits = GroupFits(cells, leaving);
    const double mag = state_.MagBmp;
    const int side = Magnified(mag, 24);
    const double scale = DotsPerInch() / kChartUnitsPerInch;
    const int pixels = std::max(1, static_cast<int>(side * scale));
    painter.save();
    painter.setClipping(false);
    for (const auto& [block, at] : ghost) {
        const QPoint c = CellCentre(geometry_, at);
        const QPoint topLeft = ToViewportPoint({c.x() - Magnified(mag, 11), c.y() + Magnified(mag, 11)});
        painter.setOpacity(0.45);
        painter.drawImage(topLeft, icons_.Icon(block->bitmapId, state_.DisplayMode == 1, pixels, false));
        painter.setOpacity(1.0);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(fits ? palette().color(QPalette::Highlight) : QColor(Qt::red), 1, Qt::DashLine));
        painter.drawRect(QRect(topLeft, QSize(pixels, pixels)).adjusted(-2, -2, 1, 1));
    }
    painter.restore();
}

// --- tool tips, keys and zoom -----------------------------------------------------------------

QString CTarvekView::ToolTipAt(QPoint viewportPoint) const {
    const ondrel::CBlock* block = BlockAt(doc_, geometry_, state_.MagBmp, ToChartPoint(viewportPoint));
    if (block == nullptr) return {};
    const QString mode = block->initFlag ? QStringLiteral("computed once at initialisation")
                                         : QStringLiteral("computed in every step");
    return QStringLiteral("%1 (%2)\nValue %3, %4")
        .arg(Label(*block), QString::fromUtf8(block->typeName), ShownValueText(doc_, *block), mode);
}

bool CTarvekView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QPoint at = viewport()->mapFrom(this, help->pos());
        const QString tip = ToolTipAt(at);
        if (tip.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool CTarvekView::HandleViewKey(QKeyEvent* event) {
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    if (ctrl && event->key() == Qt::Key_A) {
        SelectAll();
    } else if (ctrl && (event->key() == Qt::Key_Equal || event->key() == Qt::Key_Plus)) {
        ZoomBy(1);
    } else if (ctrl && event->key() == Qt::Key_Minus) {
        ZoomBy(-1);
    } else if (ctrl && event->key() == Qt::Key_0) {
        ZoomReset();
    } else if (event->key() == Qt::Key_Escape && !placing_ && !connecting_ && !selection_.Empty()) {
        selection_.Clear();
        EditingChanged();
    } else {
        return false;
    }
    return true;
}

void CTarvekView::wheelEvent(QWheelEvent* event) {
    if (!event->modifiers().testFlag(Qt::ControlModifier)) return QAbstractScrollArea::wheelEvent(event);
    const int delta = event->angleDelta().y();
    if (delta != 0) ZoomBy(delta > 0 ? 1 : -1, event->position().toPoint());
    event->accept();
}

void CTarvekView::ZoomBy(int direction, std::optional<QPoint> about) {
    const QPoint at = about.value_or(viewport()->rect().center());
    const QSize before = ScrollTotalPixels();
    const double fx = before.width() > 0 ? (at.x() + horizontalScrollBar()->value()) / double(before.width()) : 0;
    const double fy = before.height() > 0 ? (at.y() + verticalScrollBar()->value()) / double(before.height()) : 0;
    const double wanted = direction == 0 ? ondrel::kMinZoom : ondrel::NextZoomStep(state_.MagBmp, direction);
    if (!ondrel::ApplyZoom(doc_, state_, wanted)) return;
    // The chart point under the mouse stays under it.
    const QSize after = ScrollTotalPixels();
    horizontalScrollBar()->setValue(static_cast<int>(fx * after.width()) - at.x());
    verticalScrollBar()->setValue(static_cast<int>(fy * after.height()) - at.y());
    emit EditStateChanged();
}

void CTarvekView::ZoomReset() { ZoomBy(0); }

}  // namespace ondrel::gui
