#include "gui/platform/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace ondrel::gui {

MsgResult QtMessageBox::Show(const std::string& text, const std::string& caption,
                             MsgButtons buttons, MsgIcon icon) {
    return ShowWithDetail(text, std::string(), caption, buttons, icon);
}

MsgResult QtMessageBox::ShowWithDetail(const std::string& text, const std::string& detail,
                                       const std::string& caption, MsgButtons buttons,
                                       MsgIcon icon) {
    // A question (OK or Cancel) is a warning the user may back out of; a plain notice with
    // OK alone informs. Errors carry the critical icon.
    QMessageBox::Icon shown = QMessageBox::Information;
    if (icon == MsgIcon::Error)
        shown = QMessageBox::Critical;
    else if (buttons == MsgButtons::OkCancel)
        shown = QMessageBox::Warning;
    QMessageBox box(shown, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    if (!detail.empty()) box.setInformativeText(QString::fromStdString(detail));
    if (buttons == MsgButtons::OkCancel) box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(buttons == MsgButtons::OkCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

}  // namespace ondrel::gui
