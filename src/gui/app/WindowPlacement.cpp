#include "gui/app/WindowPlacement.h"

#include <QMainWindow>
#include <cstdio>

#include "gui/app/MdiWindows.h"
#include "core/platform/Platform.h"

namespace ondrel::gui {

std::string FormatPlacement(const WindowPlacement& p) {
    char text[160];
    std::snprintf(text, sizeof text, kPlacementFormat, p.flags, p.showCommand, p.minX, p.minY,
                  p.maxX, p.maxY, p.left, p.top, p.right, p.bottom);
    return text;
}

std::optional<WindowPlacement> ParsePlacement(const std::string& text) {
    WindowPlacement p;
    const int read = std::sscanf(text.c_str(), kPlacementFormat, &p.flags, &p.showCommand,
                                 &p.minX, &p.minY, &p.maxX, &p.maxY, &p.left, &p.top,
                                 &p.right, &p.bottom);
    if (read != 10) return std::nullopt;
    return p;
}

WindowPlacement PlacementOf(const QMainWindow& window) {
    WindowPlacement p;
    const bool maximized = window.isMaximized();
    p.flags = maximized ? kRestoreToMaximized : 0;
    p.showCommand = maximized ? kShowMaximized
                    : window.isMinimized() ? kShowMinimized
                                           : kShowNormal;
    const QRect normal = window.isVisible() ? window.normalGeometry() : window.geometry();
    p.left = normal.left();
    p.top = normal.top();
    p.right = normal.left() + normal.width();
    p.bottom = normal.top() + normal.height();
    return p;
}

void SavePlacement(const QMainWindow& window) {
    Profile().WriteString(kPlacementSection, kPlacementKey, FormatPlacement(PlacementOf(window)));
}

namespace {

void ShowWith(QMainWindow& window, unsigned showCommand, unsigned flags) {
    switch (showCommand) {
        case kShowHide:
            window.hide();
            break;
        case kShowMaximized:
            window.showMaximized();
            break;
        case kShowMinimized:
        case 6:  // minimise
        case 7:  // minimised without activation
            // A program that starts as an icon looks as if it had not started: it comes
            // back the way it would be restored instead.
            if (flags & kRestoreToMaximized)
                window.showMaximized();
            else
                window.showNormal();
            break;
        default:
            window.showNormal();
            break;
    }
}

}  // namespace

bool RestorePlacement(QMainWindow& window, unsigned requestedShow) {
    const auto stored = ParsePlacement(Profile().GetString(kPlacementSection, kPlacementKey, ""));
    if (!stored) {
        PlaceOnFirstStart(window);
        ShowWith(window, requestedShow, 0);
        return false;
    }
    WindowPlacement p = *stored;
    if (requestedShow != kShowNormal) p.showCommand = requestedShow;
    const int width = p.right - p.left;
    const int height = p.bottom - p.top;
    if (width > 0 && height > 0) window.setGeometry(p.left, p.top, width, height);
    ShowWith(window, p.showCommand, p.flags);
    return true;
}

}  // namespace ondrel::gui
