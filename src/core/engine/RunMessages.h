#pragma once
// The texts and captions the engine shows, each in one place.
#include <string>

#include "core/platform/NumberFormat.h"

namespace ondrel {

class RunState;

// Checks before a run refuses to start.
inline constexpr char kRunCheckCaption[] = "Run Time Error";
inline constexpr char kSortFailureText[] = "Sort Failure";
inline constexpr char kTimingErrorText[] = "Timing Parameters Error";

// Failures that end a run under way.
inline constexpr char kRunFailureCaption[] = "RunTime Error";
inline constexpr char kExcessiveStepsText[] = "Excessive integration steps (";
inline constexpr char kExcessiveStepsTimeText[] = ") at time ";
inline constexpr char kIntegrationFailedText[] = "Integration failed at time ";
inline constexpr char kOutOfMemoryText[] = "Out of memory at time ";

// A simulated time as run messages show it: six significant digits, shortest form.
inline std::string RunMessageTime(double time) { return FormatSignificant(time, 6); }

// The run could not have the memory it needs: says so at the current time and stops the run.
void ReportRunOutOfMemory(RunState& run);

}  // namespace ondrel
