// The commands the editors' OK makes: the block editor and the Function Generator table, the
// Model Properties and the Chart Viewing Properties dialogs.
#include <memory>
#include <string>
#include <utility>

#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ChartCommand.h"
#include "core/model/edits/RoutedCommand.h"
#include "core/model/views/ChartViewState.h"

namespace ondrel {
namespace {

// "Function Data" for a change of the table alone, as the table's own dialog makes it.
std::string BlockEditName(const CBlock& block, const BlockEdit& before, const BlockEdit& after) {
    BlockEdit tableOnly = before;
    tableOnly.ordinates = after.ordinates;
    if (tableOnly == after && before.ordinates != after.ordinates) return "Function Data";
    return "Edit " + (before.label.empty() ? std::string(block.typeName) : before.label);
}

// A change of orientation re-routes the block's connectors, so the edit is a routed command.
class BlockEditCommand final : public RoutedCommand {
public:
    BlockEditCommand(CBlock& block, BlockEdit before, BlockEdit after)
        : block_(block),
          before_(std::move(before)),
          after_(std::move(after)),
          name_(BlockEditName(block, before_, after_)) {}

    std::string Name() const override { return name_; }

protected:
    void ApplyFirst(CTarvekDoc& doc) override { ApplyBlockEdit(doc, block_, after_); }
    void Reapply(CTarvekDoc& doc) override {
        ApplyBlockEdit(doc, block_, after_, EditRouting::KeepRecords);
    }
    void Unapply(CTarvekDoc& doc) override {
        ApplyBlockEdit(doc, block_, before_, EditRouting::KeepRecords);
    }

private:
    CBlock& block_;
    BlockEdit before_;
    BlockEdit after_;
    std::string name_;
};

class ModelSettingsCommand final : public ChartCommand {
public:
    explicit ModelSettingsCommand(ModelSettingsEdit edit) : edit_(std::move(edit)) {}

    std::string Name() const override { return "Model Properties"; }
    // The edit marks the document modified and refreshes the views. The lane counts take
    // effect at the next routing; nothing is routed here.
    void Apply(CTarvekDoc& doc) override { edit_.Apply(doc); }
    void Revert(CTarvekDoc& doc) override { edit_.Revert(doc); }

private:
    ModelSettingsEdit edit_;
};

// The line widths and spacings decide the lanes, so the first application routes every
// connector again; undo and redo restore the records instead.
class ViewSettingsCommand final : public RoutedCommand {
public:
    ViewSettingsCommand(ChartViewState& view, ViewSettingsEdit edit)
        : view_(view), edit_(std::move(edit)) {}

    std::string Name() const override { return "Viewing Properties"; }

protected:
    void ApplyFirst(CTarvekDoc& doc) override { edit_.Apply(view_, doc); }
    void Reapply(CTarvekDoc& doc) override { edit_.Apply(view_, doc, EditRouting::KeepRecords); }
    void Unapply(CTarvekDoc& doc) override { edit_.Revert(view_, doc, EditRouting::KeepRecords); }

private:
    ChartViewState& view_;
    ViewSettingsEdit edit_;
};

}  // namespace

std::unique_ptr<ChartCommand> MakeBlockEditCommand(CBlock& block, BlockEdit before,
                                                   BlockEdit after) {
    return std::make_unique<BlockEditCommand>(block, std::move(before), std::move(after));
}

std::unique_ptr<ChartCommand> MakeModelSettingsCommand(ModelSettingsEdit edit) {
    return std::make_unique<ModelSettingsCommand>(std::move(edit));
}

std::unique_ptr<ChartCommand> MakeViewSettingsCommand(ChartViewState& view,
                                                      ViewSettingsEdit edit) {
    return std::make_unique<ViewSettingsCommand>(view, std::move(edit));
}

}  // namespace ondrel
