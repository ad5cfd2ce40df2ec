#include "gui/platform/QtDialogExchange.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QVariant>

#include "core/platform/Platform.h"
#include "core/platform/StringTable.h"

namespace ondrel::gui {
namespace {

constexpr int kApplicationTitleId = 57344;

}  // namespace

void SetControlId(QWidget* widget, int controlId) {
    if (widget != nullptr) widget->setProperty(kControlIdProperty, controlId);
}

QWidget* FindControl(QWidget* dialog, int controlId) {
    if (dialog == nullptr) return nullptr;
    const auto children = dialog->findChildren<QWidget*>();
    for (QWidget* child : children) {
        const QVariant id = child->property(kControlIdProperty);
        if (id.isValid() && id.toInt() == controlId) return child;
    }
    return nullptr;
}

void QtDialogExchange::ExchangeCheck(int controlId, int& flag) {
    auto* button = qobject_cast<QAbstractButton*>(FindControl(dialog_, controlId));
    if (button == nullptr) return;
    if (saving_)
        flag = button->isChecked() ? 1 : 0;
    else
        button->setChecked(flag != 0);
}

QList<QAbstractButton*> QtDialogExchange::RadioGroup(QAbstractButton* first) const {
    if (QButtonGroup* group = first->group()) {
        QList<QAbstractButton*> buttons = group->buttons();
        const qsizetype at = buttons.indexOf(first);
        return at < 0 ? buttons : buttons.mid(at);
    }
    QList<QAbstractButton*> buttons;
    bool started = false;
    for (QObject* sibling : first->parent()->children()) {
        auto* radio = qobject_cast<QRadioButton*>(sibling);
        if (radio == first) started = true;
        if (started && radio != nullptr) buttons << radio;
    }
    return buttons;
}

void QtDialogExchange::ExchangeRadio(int controlId, int& index) {
    auto* first = qobject_cast<QAbstractButton*>(FindControl(dialog_, controlId));
    if (first == nullptr) return;
    const QList<QAbstractButton*> buttons = RadioGroup(first);
    if (saving_) {
        index = -1;  // none selected
        for (qsizetype i = 0; i < buttons.size(); ++i)
            if (buttons[i]->isChecked()) index = static_cast<int>(i);
        return;
    }
    for (qsizetype i = 0; i < buttons.size(); ++i) buttons[i]->setChecked(i == index);
}

void QtDialogExchange::ExchangeText(int controlId, std::string& text) {
    QWidget* control = FindControl(dialog_, controlId);
    const QString shown = QString::fromStdString(text);
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        if (saving_) text = line->text().toStdString(); else line->setText(shown);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        if (saving_) text = plain->toPlainText().toStdString(); else plain->setPlainText(shown);
    } else if (auto* rich = qobject_cast<QTextEdit*>(control)) {
        if (saving_) text = rich->toPlainText().toStdString(); else rich->setPlainText(shown);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (saving_) text = combo->currentText().toStdString(); else combo->setCurrentText(shown);
    }
}

void QtDialogExchange::LimitText(int controlId, int maxChars) {
    if (auto* line = qobject_cast<QLineEdit*>(FindControl(dialog_, controlId)))
        if (maxChars > 0) line->setMaxLength(maxChars);
}

void QtDialogExchange::Fail(int controlId, const std::string& message) {
    failed_ = true;
    ShowMessage(message, LoadString(kApplicationTitleId));
    QWidget* control = FindControl(dialog_, controlId);
    if (control == nullptr) return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(control)) line->selectAll();
}

}  // namespace ondrel::gui
