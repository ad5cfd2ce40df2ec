#include "core/model/edits/ModelSettingsEdit.h"

#include "core/model/CTarvekDoc.h"

namespace ondrel {

ModelSettingsEdit::ModelSettingsEdit()
    : before_(std::make_unique<CSettingsGroup>()), after_(std::make_unique<CSettingsGroup>()) {}

ModelSettingsEdit ModelSettingsEdit::Capture(const CTarvekDoc& doc, const CSettingsGroup& edited,
                                             const std::string& newTitle) {
    ModelSettingsEdit edit;
    edit.before_->AssignFrom(doc.modelSettings);
    edit.after_->AssignFrom(edited);
    edit.beforeTitle_ = doc.title;
    edit.afterTitle_ = newTitle;
    edit.beforeCaption_ = doc.GetTitle();
    return edit;
}

void ModelSettingsEdit::Put(CTarvekDoc& doc, const CSettingsGroup& values,
                            const std::string& title, const std::string& caption) {
    // CopyValuesFrom also stores into the document members bound to the items.
    doc.modelSettings.CopyValuesFrom(values);
    doc.title = title;
    // An empty title leaves the caption as it was.
    if (!caption.empty()) doc.SetFrameworkTitle(caption);
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, UpdateHint::Refresh);
}

void ModelSettingsEdit::Apply(CTarvekDoc& doc) const {
    Put(doc, *after_, afterTitle_, afterTitle_);
}

void ModelSettingsEdit::Revert(CTarvekDoc& doc) const {
    // Back to the caption shown before, even when the applied title replaced it.
    Put(doc, *before_, beforeTitle_, beforeCaption_);
}

}  // namespace ondrel
