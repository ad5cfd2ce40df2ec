#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace ondrel::guitest {

ModalDriver::ModalDriver(std::function<void(QWidget*)> action, const char* className)
    : action_(std::move(action)), className_(className) {
    connect(&poll_, &QTimer::timeout, this, &ModalDriver::Poll);
    poll_.start(20);
    failSafe_.setSingleShot(true);
    connect(&failSafe_, &QTimer::timeout, this, [this] {
        poll_.stop();
        while (QWidget* modal = QApplication::activeModalWidget()) {
            timedOut_ = true;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
            if (QApplication::activeModalWidget() == modal) break;
        }
    });
    failSafe_.start(kFailSafeMs);
}

ModalDriver::~ModalDriver() = default;

void ModalDriver::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || acted_) return;
    if (className_ != nullptr && !modal->inherits(className_)) return;
    acted_ = true;
    poll_.stop();
    // The fail-safe stays armed: an action that leaves the dialog open still ends in time.
    action_(modal);
}

void ClickMessageBoxButton(QWidget* modal, int standardButton) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return;
    if (QAbstractButton* b = box->button(static_cast<QMessageBox::StandardButton>(standardButton)))
        b->click();
}

void AcceptFileDialog(QWidget* modal, const QString& path) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) return;
    // Setting the name field directly is what a user does; selectFile with accept races the
    // dialog's own directory loading.
    if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->setText(path);
    static_cast<QDialog*>(dialog)->accept();
}

}  // namespace ondrel::guitest
