#include "gui/app/ChartUndoCommand.h"

namespace ondrel::gui {

ChartUndoCommand::ChartUndoCommand(ondrel::CTarvekDoc& doc,
                                   std::unique_ptr<ondrel::ChartCommand> command, ViewList views)
    : QUndoCommand(QString::fromStdString(command->Name())),
      doc_(doc),
      command_(std::move(command)),
      views_(std::move(views)) {}

void ChartUndoCommand::redo() {
    if (applied_) {
        command_->Apply(doc_);
        viewRecords_.RestoreAfter(doc_);
        return;
    }
    viewRecords_ = ondrel::ViewRecordChange::Begin(doc_, views_ ? views_() : std::vector<ondrel::ViewState*>{});
    command_->Apply(doc_);
    viewRecords_.End(doc_);
    applied_ = true;
}

void ChartUndoCommand::undo() {
    command_->Revert(doc_);
    viewRecords_.RestoreBefore(doc_);
}

bool ChartUndoCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const ChartUndoCommand*>(other);
    // A change that altered other views keeps its own entry, so their records stay paired.
    if (next == nullptr || &next->doc_ != &doc_ || !viewRecords_.Empty() || !next->viewRecords_.Empty())
        return false;
    return command_->MergeWith(*next->command_);
}

}  // namespace ondrel::gui
