#pragma once
// The main window's placement as the profile keeps it: section "Settings", key
// "MainFramePos", ten numbers "flags,show,minX,minY,maxX,maxY,left,top,right,bottom".
#include <optional>
#include <string>

class QMainWindow;

namespace ondrel::gui {

inline constexpr const char* kPlacementSection = "Settings";
inline constexpr const char* kPlacementKey = "MainFramePos";
inline constexpr const char* kPlacementFormat = "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d";

// Show commands and flags as the placement stores them.
inline constexpr unsigned kShowHide = 0;
inline constexpr unsigned kShowNormal = 1;
inline constexpr unsigned kShowMinimized = 2;
inline constexpr unsigned kShowMaximized = 3;
inline constexpr unsigned kRestoreToMaximized = 2;  // flag

struct WindowPlacement {
    unsigned flags = 0;
    unsigned showCommand = kShowNormal;
    int minX = -1, minY = -1, maxX = -1, maxY = -1;
    int left = 0, top = 0, right = 0, bottom = 0;

    bool operator==(const WindowPlacement&) const = default;
};

std::string FormatPlacement(const WindowPlacement& placement);
// The placement when text holds ten numbers in the format; nullopt otherwise.
std::optional<WindowPlacement> ParsePlacement(const std::string& text);

// The placement of window now (its normal rectangle even while maximised).
WindowPlacement PlacementOf(const QMainWindow& window);
// Writes it to the profile.
void SavePlacement(const QMainWindow& window);
// Reads the profile's placement and shows window with it; requestedShow other than normal
// replaces the stored show command. Without a valid placement the window is just shown.
// Returns whether a stored placement was applied.
bool RestorePlacement(QMainWindow& window, unsigned requestedShow = kShowNormal);

}  // namespace ondrel::gui
