#pragma once
// How the last run ended, kept by the document for the status bar and the runner: it ran to
// the end, a Quit block stopped it, the user stopped it (a click or Esc in the run window,
// Terminate Run), a block's run-time error stopped it, or the integration failed. Only the
// first cause counts: a click after a Quit block's stop does not change why the run ended.
#include <string>

namespace ondrel {

enum class RunEndKind { None, Completed, Quit, UserStop, BlockError, Failure };

struct RunEnd {
    RunEndKind kind = RunEndKind::None;
    std::string block;  // the label of the Quit block or of the block in error
    double time = 0.0;  // simulated time when the run ended
    bool operator==(const RunEnd&) const = default;
};

// "Run ended at t = 20", "Stopped by the Quit block Terminate at t = 2.214", "Stopped at
// t = 5.1", "Stopped by an error in block Ratio at t = 0.5", "Stopped by an error at t = 3";
// "" when no run has ended.
std::string RunEndText(const RunEnd& end);

}  // namespace ondrel
