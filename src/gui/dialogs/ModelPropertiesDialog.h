#pragma once
// The Model Properties dialog: the model title and the model parameters, edited on an unbound
// copy of the document's model settings group. Update stores the values shown as the user's
// defaults (profile section "Model"), Recall fetches them back, Reset returns to the built-in
// defaults; all three act on the copy only. OK hands back the change as a ModelSettingsEdit.
#include <QDialog>
#include <optional>
#include <string>

#include "core/model/edits/ModelSettingsEdit.h"
#include "core/settings/CSettingsGroup.h"

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::gui {

class CModelPropDlg : public QDialog {
    Q_OBJECT
public:
    // Control ids of the dialog's own buttons and title.
    static constexpr int kTitle = 1164;
    static constexpr int kHelp = 1045;
    static constexpr int kUpdate = 1133;
    static constexpr int kRecall = 1134;
    static constexpr int kReset = 1044;
    static constexpr int kHelpContext = 284;

    explicit CModelPropDlg(const ondrel::CTarvekDoc& doc, QWidget* parent = nullptr);

    ondrel::CSettingsGroup& Settings() { return settings_; }
    const std::string& Title() const { return title_; }

    // Controls -> title and group (saving) or back; false when a control holds an invalid
    // value (the message has been shown and the control focused).
    bool ExchangeData(bool saving);

    // OK: closes only when every control holds a valid value.
    void accept() override;

private:
    void BuildLayout();
    void OnUpdate();
    void OnRecall();
    void OnReset();

    ondrel::CSettingsGroup settings_;
    std::string title_;
};

// Runs the dialog modally on doc. On OK the change to make (not yet applied); on Cancel none.
std::optional<ondrel::ModelSettingsEdit> RunModelProperties(const ondrel::CTarvekDoc& doc,
                                                            QWidget* parent);

// The Preferences command (32861) of a chart document: the dialog, and on OK the change
// applied to doc.
void OnPreferences(ondrel::CTarvekDoc& doc, QWidget* parent);

}  // namespace ondrel::gui
