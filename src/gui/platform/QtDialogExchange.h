#pragma once
// The dialog data exchange over a Qt dialog's widgets. A control is the child widget whose
// "controlId" property holds the id (SetControlId below). Check boxes are QAbstractButton,
// edit texts QLineEdit, QPlainTextEdit, QTextEdit or an editable QComboBox; a radio group is
// the QButtonGroup of its first button (by button order) or, without one, the radio buttons
// that follow the first one under the same parent.
#include <QList>
#include <QPointer>

#include "core/settings/DialogExchange.h"

class QAbstractButton;
class QWidget;

namespace ondrel::gui {

inline constexpr const char* kControlIdProperty = "controlId";

// Tags widget as the control with this id.
void SetControlId(QWidget* widget, int controlId);
// The child of dialog tagged with this id, or null.
QWidget* FindControl(QWidget* dialog, int controlId);

class QtDialogExchange : public IDialogExchange {
public:
    QtDialogExchange(QWidget* dialog, bool saving) : dialog_(dialog), saving_(saving) {}

    bool IsSaving() const override { return saving_; }
    void ExchangeCheck(int controlId, int& flag) override;
    void ExchangeRadio(int controlId, int& index) override;
    void ExchangeText(int controlId, std::string& text) override;
    void LimitText(int controlId, int maxChars) override;
    // Shows the message under the application's title, then focuses and selects the control.
    void Fail(int controlId, const std::string& message) override;

    bool Failed() const { return failed_; }

private:
    QList<QAbstractButton*> RadioGroup(QAbstractButton* first) const;

    QPointer<QWidget> dialog_;
    bool saving_;
    bool failed_ = false;
};

}  // namespace ondrel::gui
