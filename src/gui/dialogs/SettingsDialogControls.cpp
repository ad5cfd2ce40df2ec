#include "gui/dialogs/SettingsDialogControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/platform/Platform.h"
#include "gui/platform/QtDialogExchange.h"

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

QGroupBox* MakeRadioGroup(const QString& title,
                          std::initializer_list<std::pair<QString, int>> choices, bool inRow) {
    auto* group = new QGroupBox(title);
    QBoxLayout* box = inRow ? static_cast<QBoxLayout*>(new QHBoxLayout(group))
                            : static_cast<QBoxLayout*>(new QVBoxLayout(group));
    auto* exclusive = new QButtonGroup(group);
    for (const auto& [text, id] : choices) {
        auto* radio = new QRadioButton(text, group);
        SetControlId(radio, id);
        exclusive->addButton(radio);
        box->addWidget(radio);
    }
    return group;
}

void ShowHelpContext(int context) {
    if (IHelp* help = Platform().help) help->ShowHelp(context);
}

}  // namespace ondrel::gui
