#pragma once
// A chart command on a chart's undo stack: redo applies it, undo reverts it, and consecutive
// commands merge when the chart command says they do (moves of one block).
#include <QUndoCommand>
#include <memory>

#include "model/edits/ChartCommand.h"

namespace ondrel::gui {

class ChartUndoCommand final : public QUndoCommand {
public:
    ChartUndoCommand(ondrel::CTarvekDoc& doc, std::unique_ptr<ondrel::ChartCommand> command);

    void redo() override;
    void undo() override;
    // Every chart command shares one id: whether two merge is the chart command's decision.
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    ondrel::CTarvekDoc& doc_;
    std::unique_ptr<ondrel::ChartCommand> command_;
};

}  // namespace ondrel::gui
