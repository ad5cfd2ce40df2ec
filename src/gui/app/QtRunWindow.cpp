#include "app/QtRunWindow.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

#include "app/CRunWndw.h"
#include "model/CTarvekDoc.h"

namespace ondrel::gui {
namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::Drop:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

QtRunWindow::QtRunWindow() = default;

QtRunWindow::~QtRunWindow() {
    if (window_ != nullptr) qApp->removeEventFilter(this);
    delete window_;
}

bool QtRunWindow::Open(CTarvekDoc& doc) {
    delete window_;
    window_ = new CRunWndw(doc, QApplication::activeWindow());
    window_->move(50, 50);
    window_->show();
    window_->raise();
    window_->activateWindow();
    window_->setFocus(Qt::ActiveWindowFocusReason);
    window_->repaint();
    qApp->installEventFilter(this);
    pumps_ = 0;
    sinceLastPump_.start();
    emit RunStarted();
    return true;
}

void QtRunWindow::Pump(CTarvekDoc&, bool lastInterval) {
    if (window_ == nullptr) return;
    if (!lastInterval && sinceLastPump_.elapsed() < kPumpMilliseconds) return;
    sinceLastPump_.restart();
    ++pumps_;
    window_->repaint();
    // Everything queued runs, but the filter lets only the run window's input through.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (observer_ && window_ != nullptr) observer_(*window_);
}

void QtRunWindow::Close(CTarvekDoc&) {
    qApp->removeEventFilter(this);
    if (window_ != nullptr) {
        window_->hide();
        window_->deleteLater();
        window_ = nullptr;
    }
    emit RunFinished();
}

bool QtRunWindow::BelongsToRunWindow(QObject* object) const {
    // Input reaches a top-level window's platform window first, then its widgets.
    if (auto* platformWindow = qobject_cast<QWindow*>(object))
        return platformWindow == window_->windowHandle();
    for (QObject* o = object; o != nullptr; o = o->parent())
        if (o == window_) return true;
    if (auto* widget = qobject_cast<QWidget*>(object)) return widget->window() == window_;
    return false;
}

bool QtRunWindow::eventFilter(QObject* watched, QEvent* event) {
    if (window_ != nullptr && IsUserInput(event->type()) && !BelongsToRunWindow(watched))
        return true;
    return QObject::eventFilter(watched, event);
}

}  // namespace ondrel::gui
