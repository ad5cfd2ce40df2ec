#include "core/model/edits/ListSettingsEdit.h"

#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ChartCommand.h"
#include "core/model/views/ListViewState.h"

namespace ondrel {

ListViewValues ListViewValues::Of(const ListViewState& view) {
    ListViewValues values;
    values.settings->AssignFrom(view.settings);
    values.title = view.title;
    values.notes = view.notes;
    values.displayedBlocks = view.displayedBlocks;
    return values;
}

void ListViewValues::PutInto(ListViewState& view) const {
    view.settings.CopyValuesFrom(*settings);
    view.title = title;
    view.notes = notes;
    view.displayedBlocks = displayedBlocks;
}

ListSettingsEdit ListSettingsEdit::Capture(const ListViewState& view, ListViewValues after) {
    ListSettingsEdit edit;
    edit.before_ = ListViewValues::Of(view);
    edit.after_ = std::move(after);
    return edit;
}

namespace {

void Put(const ListViewValues& values, ListViewState& view, CTarvekDoc& doc) {
    values.PutInto(view);
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, UpdateHint::Refresh);
}

class ListSettingsCommand final : public ChartCommand {
public:
    ListSettingsCommand(ListViewState& view, ListSettingsEdit edit) : view_(view), edit_(std::move(edit)) {}

    void Apply(CTarvekDoc& doc) override { edit_.Apply(view_, doc); }
    void Revert(CTarvekDoc& doc) override { edit_.Revert(view_, doc); }
    std::string Name() const override { return "List Parameters"; }

private:
    ListViewState& view_;
    ListSettingsEdit edit_;
};

}  // namespace

void ListSettingsEdit::Apply(ListViewState& view, CTarvekDoc& doc) const { Put(after_, view, doc); }
void ListSettingsEdit::Revert(ListViewState& view, CTarvekDoc& doc) const { Put(before_, view, doc); }

std::unique_ptr<ChartCommand> MakeListSettingsCommand(ListViewState& view, ListSettingsEdit edit) {
    return std::make_unique<ListSettingsCommand>(view, std::move(edit));
}

}  // namespace ondrel
