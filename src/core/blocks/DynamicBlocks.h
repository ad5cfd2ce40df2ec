#pragma once
// The dynamic blocks whose output depends on the past, apart from Integrate (advanced by the
// integrator) and Delay (its own file): Decay, Back Lash, Zero Order Hold and One Shot.
// Each resets its state in Setup at the start of a run; those whose state must survive
// saving a chart append it to the base record in Serialize. t is the run's current
// simulated time.
#include <cstdint>

#include "core/blocks/CBlock.h"

namespace ondrel {

// An exponential approach from the last recorded output toward the asymptote A = in1 or p1
// at the rate R = in2 or p2, restarted at every output instant; the initial value is in3 or
// p3. A zero rate reaches the asymptote at once.
class CDecayBlock final : public CBlock {
public:
    using CBlock::CBlock;
    int Setup() override;
    void Compute() override;
    // Also remembers the time of the sample.
    void RecordSample() override;

    double lastRecordTime = 0.0;
};

// Mechanical play: the output (held) moves only when input 1 leaves a band of width
// w = |in2 or p2| around it. The distribution p1 (-1..1) shifts the band: 0 centres it, 1
// puts all the play above the held value, -1 all below. The initial value is in3 or p3.
class CBackLashBlock final : public CBlock {
public:
    using CBlock::CBlock;
    // The base record, then held (double).
    void Serialize(CArchive& ar) override;
    // Clamps the distribution into -1..1 (stored back into parameter 1) and starts held at
    // the initial value.
    int Setup() override;
    void Compute() override;

    double held = 0.0;
};

// Sample and hold: while the Switch (in2) is above the Limit (in3 or p3) the output tracks
// the Sample (in1); otherwise it holds the last tracked value, which lives in parameter 2
// ("Current Hold") and is therefore stored with the chart. Parameter 1 is the initial hold.
class CZeroOrderHoldBlock final : public CBlock {
public:
    using CBlock::CBlock;
    int Setup() override;
    void Compute() override;
};

// A pulse of height in2 or p2 from p1 after a rising trigger (in1 > 0) until in3 or p3 later,
// both ends included. The trigger must have been <= 0 once (arming) before it can fire, and
// the block re-arms after the pulse once the trigger is <= 0 again.
class COneShotBlock final : public CBlock {
public:
    using CBlock::CBlock;
    // The base record, then armed (int32), running (int32), start (double).
    void Serialize(CArchive& ar) override;
    int Setup() override;
    void Compute() override;

    std::int32_t armed = 0;
    std::int32_t running = 0;
    double start = -1.0;
    double end = -1.0;  // read only while running, which Setup clears
};

}  // namespace ondrel
