#pragma once
// Where new windows go and how the Window menu names them: the main window's first size,
// new MDI windows kept inside the MDI area, the list of open windows.
#include <QList>
#include <QRect>
#include <optional>

class QAction;
class QMainWindow;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace ondrel::gui {

// The fraction of the available screen the main window takes on a first start, centred.
inline constexpr double kFirstStartScreenShare = 0.8;

// That share of the available area, centred; none where it is below 800 x 600.
std::optional<QRect> FirstStartGeometry(const QRect& available);
// Sizes window to that share of its screen's available area and centres it; on a screen
// where that share is below 800 x 600 the window keeps its classic size.
void PlaceOnFirstStart(QMainWindow& window);
// How much of the MDI area a new window takes when others are open: chart windows fill it
// from their cascade place, view windows take three quarters of it.
enum class NewWindowSize { FillArea, Share };
// Shows a new window of area: maximised when it is the only one, maximised when the user
// maximised the current one, else cascaded from the others and wholly inside the area.
void ShowNewSubWindow(QMdiArea& area, QMdiSubWindow& window, NewWindowSize size);
// A chart opened with view windows shows all of them: within the part of the area its chart
// window took, the views share a row along the top and the chart window takes the rest, down
// to the area's bottom-right corner. The chart window covers none of them, even when raised.
// Maximised windows (the user works with them) stay as they are.
void PlaceChartBelowItsViews(QMdiSubWindow& chart, const QList<QMdiSubWindow*>& views);
// Puts one checkable entry per open window at the end of menu (after a separator), the
// active one checked; replaces the entries an earlier call put there.
void ListWindowsInMenu(QMdiArea& area, QMenu& menu);

}  // namespace ondrel::gui
