#pragma once
// The program's help pages, shipped as resources and addressed by help context.
#include <QString>
#include <QUrl>

namespace ondrel::gui {

// The help contexts the windows and dialogs pass.
inline constexpr int kHelpContents = 0;
inline constexpr int kHelpChartView = 121;
inline constexpr int kHelpGraphView = 122;
inline constexpr int kHelpListView = 123;
inline constexpr int kHelpListProperties = 49;
inline constexpr int kHelpChartViewing = 357;
inline constexpr int kHelpTextView = 368;
inline constexpr int kHelpTextOptions = 346;
inline constexpr int kHelpSnapshot = 401;
inline constexpr int kHelpAbout = 9922;
// The pages of the graph's property sheet.
inline constexpr int kHelpGraphXAxis = 753;
inline constexpr int kHelpGraphCurve1 = 241;
inline constexpr int kHelpGraphCurve2 = 243;
inline constexpr int kHelpGraphCurve3 = 244;
inline constexpr int kHelpGraphMisc = 411;
// A block's context is its creating command id plus this.
inline constexpr int kBlockHelpBase = 0x10000;

// The page for a context; the contents page for one the help does not know.
QUrl HelpPageFor(int context);
// Makes the pages available (they live in a static library).
void InitHelpResources();

}  // namespace ondrel::gui
