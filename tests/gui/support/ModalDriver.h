#pragma once
// Drives the next modal dialog from a timer: once a modal widget is active, action runs on
// it. A fail-safe closes any modal widget still open after 5 s, so a test never waits for a
// click that will not come.
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace ondrel::guitest {

class ModalDriver : public QObject {
    Q_OBJECT
public:
    static constexpr int kFailSafeMs = 5000;

    // Starts watching at once; the action runs on the first modal widget that appears (of
    // that class, when className is given).
    explicit ModalDriver(std::function<void(QWidget*)> action, const char* className = nullptr);
    ~ModalDriver() override;

    bool Acted() const { return acted_; }
    bool TimedOut() const { return timedOut_; }

private:
    void Poll();

    std::function<void(QWidget*)> action_;
    QTimer poll_;
    QTimer failSafe_;
    bool acted_ = false;
    bool timedOut_ = false;
    const char* className_;
};

// Helpers for the actions.
// Clicks the message box button with this standard role (QMessageBox::StandardButton).
void ClickMessageBoxButton(QWidget* modal, int standardButton);
// Types path into a file dialog's file-name field and accepts it.
void AcceptFileDialog(QWidget* modal, const QString& path);

}  // namespace ondrel::guitest
