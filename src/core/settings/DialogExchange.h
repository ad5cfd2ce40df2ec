#pragma once
// The dialog data-exchange context a settings group talks to. The desktop program implements
// it over a dialog's widgets, addressed by control id; the tests fake it. One exchange call
// moves a value in the context's direction: when saving, from the control into the variable
// passed; when loading, from the variable into the control.
#include <string>

namespace ondrel {

class IDialogExchange {
public:
    virtual ~IDialogExchange() = default;

    // True when values go from the controls into the items (OK, Apply, Update); false when
    // the controls are being filled from the items.
    virtual bool IsSaving() const = 0;

    // A check box: flag 0 (clear) or 1 (checked).
    virtual void ExchangeCheck(int controlId, int& flag) = 0;
    // A group of radio buttons whose first button is controlId: the index of the selected one.
    virtual void ExchangeRadio(int controlId, int& index) = 0;
    // The text of an edit control.
    virtual void ExchangeText(int controlId, std::string& text) = 0;
    // Called while loading for an edit control whose text has a length limit, so the control
    // can stop the user typing more than maxChars characters. Contexts may ignore it.
    virtual void LimitText(int /*controlId*/, int /*maxChars*/) {}

    // A control holds an invalid value: the context shows message to the user and puts the
    // focus on the control, and the dialog stays open.
    virtual void Fail(int controlId, const std::string& message) = 0;
};

}  // namespace ondrel
