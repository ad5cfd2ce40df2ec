#pragma once
// A chart command on a chart's undo stack: redo applies it, undo reverts it, and consecutive
// commands merge when the chart command says they do (moves of one block). The records of
// the chart's list and graph views that the change altered come back with undo and redo.
#include <QUndoCommand>
#include <functional>
#include <memory>
#include <vector>

#include "core/model/edits/ChartCommand.h"
#include "core/model/views/ViewRecordChange.h"

namespace ondrel::gui {

class ChartUndoCommand final : public QUndoCommand {
public:
    // The views a change may alter besides the chart itself (list and graph views).
    using ViewList = std::function<std::vector<ondrel::ViewState*>()>;

    ChartUndoCommand(ondrel::CTarvekDoc& doc, std::unique_ptr<ondrel::ChartCommand> command,
                     ViewList views = {});

    void redo() override;
    void undo() override;
    // Every chart command shares one id: whether two merge is the chart command's decision.
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    ondrel::CTarvekDoc& doc_;
    std::unique_ptr<ondrel::ChartCommand> command_;
    ViewList views_;
    ondrel::ViewRecordChange viewRecords_;
    bool applied_ = false;
};

}  // namespace ondrel::gui
