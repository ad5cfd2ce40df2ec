#pragma once
// A change of a list view as the List Parameters dialog makes it (on OK or on each Apply):
// its look, title, notes and columns before and after. The look is kept in unbound copies of
// the view's settings group. Either side applied marks the chart modified and refreshes the
// views (Refresh), so the list measures and draws anew.
#include <memory>
#include <string>
#include <vector>

#include "core/model/views/BlockReference.h"
#include "core/settings/CSettingsGroup.h"

namespace ondrel {

class ChartCommand;
class CTarvekDoc;
class ListViewState;

struct ListViewValues {
    std::unique_ptr<CSettingsGroup> settings = std::make_unique<CSettingsGroup>();
    std::string title;
    std::string notes;
    std::vector<BlockReference> displayedBlocks;

    // What view holds now (its members' current values).
    static ListViewValues Of(const ListViewState& view);
    void PutInto(ListViewState& view) const;
};

class ListSettingsEdit {
public:
    // Before: what view holds now; after: the dialog's values.
    static ListSettingsEdit Capture(const ListViewState& view, ListViewValues after);

    void Apply(ListViewState& view, CTarvekDoc& doc) const;
    void Revert(ListViewState& view, CTarvekDoc& doc) const;
    const ListViewValues& After() const { return after_; }

private:
    ListViewValues before_;
    ListViewValues after_;
};

// The List Parameters dialog's OK or Apply on view, named "List Parameters". The command
// refers to view, so it must not outlive that view's state.
std::unique_ptr<ChartCommand> MakeListSettingsCommand(ListViewState& view, ListSettingsEdit edit);

}  // namespace ondrel
