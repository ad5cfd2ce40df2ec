#pragma once
// The consistency rules of a chart view's look, applied to a settings group built like the
// chart view's (ChartViewState): the room left for connector lines must hold every lane the
// router may use, and with the sizing lock set every size follows the magnification.
// The functions work on the values held by the group's items, so they serve the unbound copy
// a properties dialog edits as well as a view's own group.
#include <string>

namespace ondrel {

class CSettingsGroup;
class IDialogExchange;

// Control ids of the chart view's settings, which also find their items in a group.
namespace chart_controls {
inline constexpr int kHoldSiz = 1215;
inline constexpr int kHold = 1207;
inline constexpr int kHoldDisp = 1216;
inline constexpr int kLinesX = 1218;
inline constexpr int kLinesY = 1217;
inline constexpr int kDeltaVert = 1034;
inline constexpr int kDeltaHoriz = 1035;
inline constexpr int kMagBmp = 1136;
inline constexpr int kDisplayColor = 1178;
inline constexpr int kDisplayMonochrome = 1179;
inline constexpr int kChartFont = 1043;
inline constexpr int kNotesFont = 1095;
inline constexpr int kNotesDisplay = 1205;
inline constexpr int kSizeLock = 1203;
inline constexpr int kNameDisplay = 1201;
inline constexpr int kValueDisplay = 1202;
inline constexpr int kLineWidth = 1219;
inline constexpr int kNotesText = 1204;
inline constexpr int kTitle = 1164;
}  // namespace chart_controls

// The longest view title a user may give.
inline constexpr int kChartTitleMaxChars = 28;
// The remembered magnification when none was taken.
inline constexpr double kNoMagnification = -5.0;

// The horizontal room per cell: DeltaHoriz + (DeltaHoriz + LineWidth) x vertLines. Raises
// LinesX to it when smaller; true when LinesX changed.
bool RaiseHorizontalTotal(CSettingsGroup& group, int vertLines);
// The same for the vertical room: DeltaVert, LinesY and horizLines.
bool RaiseVerticalTotal(CSettingsGroup& group, int horizLines);

// The magnification held by the group (MagBmp), or kNoMagnification without that item.
double Magnification(CSettingsGroup& group);

// With the sizing lock set, scales every size by MagBmp / remembered: the two fonts through
// whole points, then LineWidth, DeltaVert, DeltaHoriz, LinesX, LinesY and HoldSiz, each
// rounded half up. False (nothing changed) when the lock is clear or remembered is not a
// usable magnification. The totals are not checked here.
bool RescaleWithMagnification(CSettingsGroup& group, double remembered);

// A font height (negative: character height in logical units at 96 per inch) taken to whole
// points, scaled by ratio and back.
int ScaleFontHeight(int height, double ratio);
// value x ratio rounded half up, kept within the range of int.
int ScaleSize(int value, double ratio);

// Exchanges a text with an edit control; when saving, a text of more than maxChars
// characters (maxChars > 0) is refused with the standard length message and false.
bool ExchangeLimitedText(IDialogExchange& dx, int controlId, std::string& text, int maxChars);

}  // namespace ondrel
