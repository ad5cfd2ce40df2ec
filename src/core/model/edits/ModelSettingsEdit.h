#pragma once
// A change of the model parameters and the model title, as the Model Properties dialog makes
// it: the values before and after, each held in an unbound copy of the document's model
// settings group. Applying or reverting writes one side into the document, so an undo
// command can take the change back and forth.
#include <memory>
#include <string>

#include "core/settings/CSettingsGroup.h"

namespace ondrel {

class CTarvekDoc;

class ModelSettingsEdit {
public:
    // Before: the document's current values and title. After: edited (a group built like the
    // document's, e.g. a dialog's copy) and newTitle.
    static ModelSettingsEdit Capture(const CTarvekDoc& doc, const CSettingsGroup& edited,
                                     const std::string& newTitle);

    // The document's group and title take the after values; the document is marked modified
    // and its views refresh (the title may be the caption).
    void Apply(CTarvekDoc& doc) const;
    // The same with the before values.
    void Revert(CTarvekDoc& doc) const;

    const CSettingsGroup& Before() const { return *before_; }
    const CSettingsGroup& After() const { return *after_; }
    const std::string& BeforeTitle() const { return beforeTitle_; }
    const std::string& AfterTitle() const { return afterTitle_; }

private:
    ModelSettingsEdit();
    static void Put(CTarvekDoc& doc, const CSettingsGroup& values, const std::string& title,
                    const std::string& caption);

    // Held by pointer so the edit can move into an undo command; groups do not move.
    std::unique_ptr<CSettingsGroup> before_;
    std::unique_ptr<CSettingsGroup> after_;
    std::string beforeTitle_;
    std::string afterTitle_;
    std::string beforeCaption_;  // the document title shown when the edit was made
};

}  // namespace ondrel
