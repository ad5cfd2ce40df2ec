#include "gui/app/QtRunWindow.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

#include "gui/app/CRunWndw.h"
#include "core/model/CTarvekDoc.h"
#include "gui/views/chart/CTarvekView.h"

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

// The events that repaint or lay out a window: the window system asks for them once and
// waits, so one held back must be posted again later.
bool IsRepaintOrLayout(QEvent::Type type) {
    return type == QEvent::UpdateRequest || type == QEvent::LayoutRequest;
}

}  // namespace

QtRunWindow::QtRunWindow() = default;

QtRunWindow::~QtRunWindow() {
    if (window_ != nullptr) qApp->removeEventFilter(this);
    ReleaseDeferred();
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

void QtRunWindow::Pump(CTarvekDoc& doc, bool lastInterval) {
    if (window_ == nullptr) return;
    if (!lastInterval && sinceLastPump_.elapsed() < kPumpMilliseconds) return;
    sinceLastPump_.restart();
    ++pumps_;
    window_->repaint();
    // The chart windows show the values moving, as often as the run window shows the time.
    for (IDocumentView* view : doc.Views())
        if (auto* chart = dynamic_cast<CTarvekView*>(view)) chart->viewport()->update();
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
    ReleaseDeferred();
    emit RunFinished();
}

bool QtRunWindow::Defer(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    const int type = static_cast<int>(event->type());
    for (const auto& [held, heldType] : deferred_)
        if (held == widget && heldType == type) return true;
    deferred_.emplace_back(widget, type);
    return true;
}

// Posted as the widgets post them themselves: after everything else that is waiting.
void QtRunWindow::ReleaseDeferred() {
    for (const auto& [widget, type] : deferred_)
        if (widget != nullptr)
            QCoreApplication::postEvent(widget, new QEvent(static_cast<QEvent::Type>(type)),
                                        Qt::LowEventPriority);
    deferred_.clear();
}

namespace {

bool BelongsTo(QObject* object, const QWidget* window) {
    // Input reaches a top-level window's platform window first, then its widgets.
    if (auto* platformWindow = qobject_cast<QWindow*>(object))
        return platformWindow == window->windowHandle();
    for (QObject* o = object; o != nullptr; o = o->parent())
        if (o == window) return true;
    if (auto* widget = qobject_cast<QWidget*>(object)) return widget->window() == window;
    return false;
}

}  // namespace

// A message box the run opens over the run window (a failure at some time) is as much the
// run's as the window itself: it must be painted and answered.
bool QtRunWindow::BelongsToRunWindow(QObject* object) const {
    if (BelongsTo(object, window_)) return true;
    const QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal != window_ && BelongsTo(object, modal);
}

bool QtRunWindow::eventFilter(QObject* watched, QEvent* event) {
    if (window_ != nullptr && !BelongsToRunWindow(watched)) {
        if (IsUserInput(event->type())) return true;
        if (IsRepaintOrLayout(event->type()) && Defer(watched, event)) return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ondrel::gui
