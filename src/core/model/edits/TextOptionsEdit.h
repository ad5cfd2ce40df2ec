#pragma once
// A change of a text view's options as the Chart Text Options dialog makes it (on OK or on
// each Apply): its settings, title, notes and the chosen blocks, types and groups of its
// filter, before and after. The command named "Text Options" puts either side into the view.
#include <memory>
#include <string>

#include "core/model/edits/ChartCommand.h"
#include "core/model/views/TextViewState.h"
#include "core/settings/CSettingsGroup.h"

namespace ondrel {

class TextOptionsEdit {
public:
    struct Values {
        std::unique_ptr<CSettingsGroup> settings = std::make_unique<CSettingsGroup>();
        std::string title;
        std::string notes;
        TextFilterChoice chosen;
    };

    // Before: the view as it is. After: edited (a group built like the view's) with the other
    // values given.
    static TextOptionsEdit Capture(const TextViewState& view, const CSettingsGroup& edited,
                                   const std::string& title, const std::string& notes,
                                   const TextFilterChoice& chosen);

    // The view takes the after (or before) values; chosen blocks that have left the chart
    // since are dropped. The view's options revision moves on, the document is marked
    // modified and every view is told (Refresh).
    void Apply(TextViewState& view, CTarvekDoc& doc) const { Put(after_, view, doc); }
    void Revert(TextViewState& view, CTarvekDoc& doc) const { Put(before_, view, doc); }

    const Values& Before() const { return before_; }
    const Values& After() const { return after_; }

private:
    static void Put(const Values& side, TextViewState& view, CTarvekDoc& doc);

    Values before_;
    Values after_;
};

// The dialog's OK or Apply on view, as one undoable change. The command refers to view, so it
// must not outlive that view's state.
std::unique_ptr<ChartCommand> MakeTextOptionsCommand(TextViewState& view, TextOptionsEdit edit);

}  // namespace ondrel
