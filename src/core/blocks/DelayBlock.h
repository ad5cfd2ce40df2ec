#pragma once
// The Delay block: a transport delay that reads back the input it recorded at the output
// instants of the run.
//
// D = in2 or p2 (the "Delay"), the initial value is in3 or p3, and parameter 1 ("Gain")
// scales the output. With D <= 0 the input passes through; before time D the block gives the
// initial value; after it, the input at t - D is rebuilt from the recorded samples by a
// natural cubic spline through the 3 or 4 samples around t - D, or by linear interpolation
// where too few samples lie on either side. A sample that is not recorded yet is never read:
// the current input at time t stands in for it.
#include <vector>

#include "core/blocks/CBlock.h"

namespace ondrel {

class CDelayBlock final : public CBlock {
public:
    using CBlock::CBlock;

    // The base record, then inputRecord (int32 count, doubles).
    void Serialize(CArchive& ar) override;
    // Takes the output interval of the run as the sample spacing.
    int Setup() override;
    void Compute() override;
    // Also empties inputRecord.
    void ClearHistory() override;
    // Also appends input 1 to inputRecord: sample i is input 1 at time i x sampleInterval.
    void RecordSample() override;

    double sampleInterval = 0.0;
    std::vector<double> inputRecord;

private:
    // The input at time t - delay (t >= delay > 0), current input in1.
    double DelayedInput(double t, double delay, double in1) const;
    // Linear interpolation at `when` between the last recorded sample at or before it
    // (pS = when in sample units) and the next one, or the current input at time t.
    double LinearAt(double when, double pS, double t, double in1) const;
    // The spline through the samples around pS; false when their times do not rise.
    bool SplineAt(double when, double pS, double dS, double t, double in1, double& out) const;
};

}  // namespace ondrel
