#pragma once
// What a block sees of the run under way: the simulated time of the evaluation, the output
// interval, and the two ways a block ends a run (a Quit block's condition, a run-time error).
// The run driver sets it on every block before a run and clears it after; outside a run a
// block has none.
#include "core/platform/Status.h"

namespace ondrel {

class CBlock;

class IRunContext {
public:
    // Plain reads: a block asks for the time at every evaluation.
    double Now() const { return now_; }
    double OutputInterval() const { return outputInterval_; }
    // A Quit block's condition holds: the run ends once the evaluation under way is done.
    virtual void RequestQuit(const CBlock& block) = 0;
    // A run-time error in block: status is shown at once, then the run ends.
    virtual void ReportBlockError(const CBlock& block, const Status& status) = 0;

protected:
    ~IRunContext() = default;
    double now_ = 0.0;
    double outputInterval_ = 0.0;
};

}  // namespace ondrel
