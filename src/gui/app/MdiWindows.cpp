#include "gui/app/MdiWindows.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <algorithm>

namespace ondrel::gui {
namespace {

// Each new window steps this far right and down from the one before.
constexpr int kCascadeStep = 24;
constexpr QSize kSmallestFirstStart(800, 600);
constexpr double kSubWindowShare = 0.75;
// The share of the chart window's height that the row of its views takes when it opens.
constexpr double kViewRowShare = 0.45;
// Views narrower than this overlap in their row instead, each still showing its left part.
constexpr int kNarrowestViewInRow = 160;
constexpr const char* kWindowEntry = "ondrelWindowEntry";

// Set on a window maximised only because it was the area's only one; cleared as soon as it
// is maximised no longer (the user restored it, or a second window came).
constexpr const char* kMaximisedAlone = "ondrelMaximisedAlone";

// A maximised window keeps its own title bar and buttons inside the area: its caption does
// not join the main window's, which already names the active window.
class OwnTitleBarStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_Workspace_FillSpaceOnMaximize) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

void KeepOwnTitleBar(QMdiSubWindow& window) {
    static QPointer<OwnTitleBarStyle> style;
    if (style == nullptr) {
        style = new OwnTitleBarStyle;
        style->setParent(QCoreApplication::instance());
    }
    if (window.style() != style) window.setStyle(style);
}

void MaximiseAlone(QMdiSubWindow& window) {
    window.showMaximized();
    window.setProperty(kMaximisedAlone, true);
    QObject::connect(&window, &QMdiSubWindow::windowStateChanged, &window,
                     [&window](Qt::WindowStates, Qt::WindowStates now) {
                         if (!now.testFlag(Qt::WindowMaximized)) window.setProperty(kMaximisedAlone, false);
                     });
}

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

void ShowNewSubWindow(QMdiArea& area, QMdiSubWindow& window, NewWindowSize size) {
    KeepOwnTitleBar(window);
    QList<QMdiSubWindow*> others = area.subWindowList();
    others.removeAll(&window);
    if (others.isEmpty()) {
        // Maximised, it follows the area whatever size the main window takes later on.
        MaximiseAlone(window);
        return;
    }
    const QMdiSubWindow* current = area.currentSubWindow();
    if (current != nullptr && current->isMaximized() && !current->property(kMaximisedAlone).toBool()) {
        window.showMaximized();  // the user works with maximised windows
        return;
    }
    const QSize room = area.viewport()->size();
    // The window that was maximised for being alone keeps filling the area, with its frame,
    // so that the new one cascades over it.
    for (QMdiSubWindow* other : others)
        if (other->isMaximized() && other->property(kMaximisedAlone).toBool()) {
            other->showNormal();
            other->setGeometry(QRect(QPoint(), room));
        }
    const QSize share(static_cast<int>(room.width() * kSubWindowShare), static_cast<int>(room.height() * kSubWindowShare));
    // Cascade, starting over at the top left before a window of the share would leave the area.
    const int maxStepsX = std::max(1, (room.width() - share.width()) / kCascadeStep + 1);
    const int maxStepsY = std::max(1, (room.height() - share.height()) / kCascadeStep + 1);
    const int step = static_cast<int>(others.size()) % std::min(maxStepsX, maxStepsY);
    const QPoint place(step * kCascadeStep, step * kCascadeStep);
    // A chart window takes the rest of the area from its place, a view window the share.
    const QSize chosen = size == NewWindowSize::FillArea ? QSize(room.width() - place.x(), room.height() - place.y()) : share;
    window.setGeometry(QRect(place, chosen));
    window.show();
}

void PlaceChartBelowItsViews(QMdiSubWindow& chart, const QList<QMdiSubWindow*>& views) {
    if (views.isEmpty() || chart.isMaximized()) return;
    for (const QMdiSubWindow* view : views)
        if (view->isMaximized()) return;
    const QRect took = chart.geometry();
    const int rowHeight = static_cast<int>(took.height() * kViewRowShare);
    const int count = static_cast<int>(views.size());
    // Side by side when each gets enough width; else each takes the narrowest width and
    // they overlap evenly, the last one ending at the right edge.
    const int width = std::min(took.width(), std::max(kNarrowestViewInRow, took.width() / count));
    const int spread = took.width() - width;
    for (int i = 0; i < count; ++i) {
        const int left = count > 1 ? i * spread / (count - 1) : 0;
        const int next = i + 1 < count ? (i + 1) * spread / (count - 1) : took.width();
        const int right = std::max(left + width, next);  // no gap left by rounding
        views[i]->setGeometry(took.x() + left, took.y(), right - left, rowHeight);
    }
    chart.setGeometry(QRect(QPoint(took.x(), took.y() + rowHeight), took.bottomRight()));
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
