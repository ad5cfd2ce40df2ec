#include "app/ChartUndoCommand.h"

namespace ondrel::gui {

ChartUndoCommand::ChartUndoCommand(ondrel::CTarvekDoc& doc,
                                   std::unique_ptr<ondrel::ChartCommand> command)
    : QUndoCommand(QString::fromStdString(command->Name())), doc_(doc), command_(std::move(command)) {}

void ChartUndoCommand::redo() { command_->Apply(doc_); }

void ChartUndoCommand::undo() { command_->Revert(doc_); }

bool ChartUndoCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const ChartUndoCommand*>(other);
    return next != nullptr && &next->doc_ == &doc_ && command_->MergeWith(*next->command_);
}

}  // namespace ondrel::gui
