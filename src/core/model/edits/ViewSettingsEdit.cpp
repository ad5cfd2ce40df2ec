#include "core/model/edits/ViewSettingsEdit.h"

#include "core/model/CTarvekDoc.h"
#include "core/model/views/ChartViewState.h"

namespace ondrel {

ViewSettingsEdit ViewSettingsEdit::Capture(const ChartViewState& view,
                                           const CSettingsGroup& edited,
                                           const std::string& newTitle,
                                           const std::string& newNotes) {
    ViewSettingsEdit edit;
    edit.before_.settings->AssignFrom(view.settings);
    edit.before_.title = view.title;
    edit.before_.notes = view.notes;
    edit.after_.settings->AssignFrom(edited);
    edit.after_.title = newTitle;
    edit.after_.notes = newNotes;
    return edit;
}

void ViewSettingsEdit::Put(const Side& side, ChartViewState& view, CTarvekDoc& doc,
                           EditRouting routing) {
    view.settings.CopyValuesFrom(*side.settings);
    view.title = side.title;
    view.notes = side.notes;
    // Line widths and spacings decide the lanes, so every route is chosen again.
    if (routing == EditRouting::Reroute) doc.RerouteAll();
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, UpdateHint::Refresh);
}

void ViewSettingsEdit::Apply(ChartViewState& view, CTarvekDoc& doc, EditRouting routing) const {
    Put(after_, view, doc, routing);
}

void ViewSettingsEdit::Revert(ChartViewState& view, CTarvekDoc& doc, EditRouting routing) const {
    Put(before_, view, doc, routing);
}

}  // namespace ondrel
