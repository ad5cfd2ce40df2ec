#include "gui/app/MdiWindows.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <algorithm>

namespace ondrel::gui {
namespace {

// Each new window steps this far right and down from the one before.
constexpr int kCascadeStep = 24;
constexpr QSize kSmallestFirstStart(800, 600);
constexpr double kSubWindowShare = 0.75;
constexpr const char* kWindowEntry = "ondrelWindowEntry";

}  // namespace

std::optional<QRect> FirstStartGeometry(const QRect& available) {
    const QSize size(static_cast<int>(available.width() * kFirstStartScreenShare),
                     static_cast<int>(available.height() * kFirstStartScreenShare));
    // A small screen keeps the classic 800 x 600 window where the window system puts it.
    if (size.width() < kSmallestFirstStart.width() || size.height() < kSmallestFirstStart.height())
        return std::nullopt;
    QRect frame(QPoint(), size);
    frame.moveCenter(available.center());
    return frame;
}

void PlaceOnFirstStart(QMainWindow& window) {
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    if (const auto frame = FirstStartGeometry(screen->availableGeometry())) window.setGeometry(*frame);
}

void ShowNewSubWindow(QMdiArea& area, QMdiSubWindow& window) {
    const QList<QMdiSubWindow*> others = area.subWindowList();
    const QMdiSubWindow* active = area.activeSubWindow();
    const bool alone = std::all_of(others.begin(), others.end(), [&](auto* w) { return w == &window; });
    if (active != nullptr && active != &window && active->isMaximized()) {
        window.showMaximized();
        return;
    }
    const QSize room = area.viewport()->size();
    if (alone) {
        // The only window fills the area, but keeps its frame: a second one cascades over it.
        window.setGeometry(QRect(QPoint(), room));
        window.show();
        return;
    }
    const QSize size(static_cast<int>(room.width() * kSubWindowShare), static_cast<int>(room.height() * kSubWindowShare));
    const int steps = static_cast<int>(others.size()) - 1;
    // Cascade, starting over at the top left before a window would leave the area.
    const int maxStepsX = std::max(1, (room.width() - size.width()) / kCascadeStep + 1);
    const int maxStepsY = std::max(1, (room.height() - size.height()) / kCascadeStep + 1);
    const int step = steps % std::min(maxStepsX, maxStepsY);
    window.setGeometry(QRect(QPoint(step * kCascadeStep, step * kCascadeStep), size));
    window.show();
}

void ListWindowsInMenu(QMdiArea& area, QMenu& menu) {
    for (QAction* action : menu.actions())
        if (action->property(kWindowEntry).toBool()) {
            menu.removeAction(action);
            action->deleteLater();
        }
    const QList<QMdiSubWindow*> windows = area.subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    auto* separator = menu.addSeparator();
    separator->setProperty(kWindowEntry, true);
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QString title = window->windowTitle();
        title.remove(QStringLiteral("[*]"));
        QAction* entry = menu.addAction(QStringLiteral("&%1 %2").arg(number++).arg(title));
        entry->setProperty(kWindowEntry, true);
        entry->setCheckable(true);
        entry->setChecked(window == area.activeSubWindow());
        QObject::connect(entry, &QAction::triggered, &area, [&area, window] { area.setActiveSubWindow(window); });
    }
}

}  // namespace ondrel::gui
