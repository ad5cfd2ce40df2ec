#pragma once
// A change of a chart view's look, title and notes, as the Chart Viewing Properties dialog
// makes it (on OK or on each Apply): the values before and after, each in an unbound copy of
// the view's settings group. The connector room depends on these values, so applying either
// side routes every connector again and lets the views lay out anew.
#include <memory>
#include <string>

#include "core/model/edits/EditRouting.h"
#include "core/settings/CSettingsGroup.h"

namespace ondrel {

class CTarvekDoc;
class ChartViewState;

class ViewSettingsEdit {
public:
    // Before: the view's current values. After: edited (a group built like the view's) with
    // the new title and notes.
    static ViewSettingsEdit Capture(const ChartViewState& view, const CSettingsGroup& edited,
                                    const std::string& newTitle, const std::string& newNotes);

    // The view takes the after values (group, title, notes); every connector of doc is routed
    // again (unless routing says to keep the records), the views refresh and the
    // document is marked modified.
    void Apply(ChartViewState& view, CTarvekDoc& doc,
               EditRouting routing = EditRouting::Reroute) const;
    // The same with the before values.
    void Revert(ChartViewState& view, CTarvekDoc& doc,
                EditRouting routing = EditRouting::Reroute) const;

    const CSettingsGroup& Before() const { return *before_.settings; }
    const CSettingsGroup& After() const { return *after_.settings; }
    const std::string& AfterTitle() const { return after_.title; }
    const std::string& AfterNotes() const { return after_.notes; }

private:
    struct Side {
        std::unique_ptr<CSettingsGroup> settings = std::make_unique<CSettingsGroup>();
        std::string title;
        std::string notes;
    };
    static void Put(const Side& side, ChartViewState& view, CTarvekDoc& doc, EditRouting routing);

    // Groups do not move; held by pointer, the edit can move into an undo command.
    Side before_;
    Side after_;
};

}  // namespace ondrel
