#pragma once
// The class names that tag each view record in a chart file. They are part of the file
// format: every chart ever saved names its views with exactly these strings.

namespace ondrel {

inline constexpr const char* kChartViewClassName = "CTarvekView";
inline constexpr const char* kListViewClassName = "CListBase";
inline constexpr const char* kGraphViewClassName = "CGraphBase";
inline constexpr const char* kTextViewClassName = "CChrtText";

}  // namespace ondrel
