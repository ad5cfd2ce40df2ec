#include "dialogs/SettingsDialogControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/Platform.h"
#include "platform/QtDialogExchange.h"

namespace ondrel::gui {

QLineEdit* AddLabelledEdit(QGridLayout* grid, int row, int column, const QString& label,
                           int controlId) {
    auto* edit = new QLineEdit;
    SetControlId(edit, controlId);
    auto* caption = new QLabel(label);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, column);
    grid->addWidget(edit, row, column + 1);
    return edit;
}

QPushButton* MakeButton(const QString& text, int controlId, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    SetControlId(button, controlId);
    return button;
}

QCheckBox* MakeCheck(const QString& text, int controlId, QWidget* parent) {
    auto* check = new QCheckBox(text, parent);
    SetControlId(check, controlId);
    return check;
}

QRadioButton* MakeRadio(const QString& text, int controlId, QWidget* parent) {
    auto* radio = new QRadioButton(text, parent);
    SetControlId(radio, controlId);
    return radio;
}

void ShowHelpContext(int context) {
    if (IHelp* help = Platform().help) help->ShowHelp(context);
}

}  // namespace ondrel::gui
