#pragma once
// The fixed points of the chart file: the version this program writes, the version from
// which each gated field is present, the class names that tag view records and the type id
// every chart starts with. Changing any of them changes what older or newer copies of the
// program make of a file, so they live together here and nowhere else.
//
// A version is a double: 113.0 is release 1.13. A field gated "since v" is read only from
// files of version v or later; an item gated "until u" (u != 0) is read only up to u and is
// no longer written.

namespace ondrel {

// --- versions -----------------------------------------------------------------------------

// What this program writes and the newest it reads.
inline constexpr double kProgramFileVersion = 113.0;
// Versions above this are no chart of any release, past or future: damage, not news.
inline constexpr double kHighestPlausibleVersion = 1000.0;

// The first version of the chart file: a field gated here is in every chart.
inline constexpr double kFirstFileVersion = 100.0;
// A setting gated at 0 is read from whatever version the file has.
inline constexpr double kSinceAnyVersion = 0.0;
// The "until" of a setting that is still written: no last version.
inline constexpr double kNoUntil = 0.0;

// The model title follows the model settings.
inline constexpr double kModelTitleSince = 101.0;
// The model settings' maximum step count.
inline constexpr double kMaxStepsSince = 102.0;
// Each view kind's settings within its record.
inline constexpr double kChartViewSettingsSince = kFirstFileVersion;
inline constexpr double kTextViewSettingsSince = 104.0;

// --- view records -------------------------------------------------------------------------

// The class names that tag each view record: every chart ever saved names its views with
// exactly these strings.
inline constexpr const char* kChartViewClassName = "CTarvekView";
inline constexpr const char* kListViewClassName = "CListBase";
inline constexpr const char* kGraphViewClassName = "CGraphBase";
inline constexpr const char* kTextViewClassName = "CChrtText";

// --- blocks -------------------------------------------------------------------------------

// The type id of the Clock, the block every chart holds exactly once and first.
inline constexpr int kClockTypeId = 61589;

}  // namespace ondrel
