#pragma once
// The generators: signals from time and chance rather than from inputs. Each has a "Switch"
// on input 3; a connected Switch below 0 turns Random, Gaussian, Jitter and the Time Pulse
// Generator off, and one not above 0 turns the Sine Wave Generator off. A connected input 1
// or 2 supplies the value in place of its parameter. Random, Gaussian and Jitter draw from
// the one shared random source and re-seed it in Setup from their "Seed" (parameter 3).
// t is the run's current simulated time (Now).
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/blocks/CBlock.h"

namespace ondrel {

// Uniform values between the Lower Limit (in1 or p1) and the Upper Limit (in2 or p2).
class CRandomBlock final : public CBlock {
public:
    using CBlock::CBlock;
    int Setup() override;
    void Compute() override;
};

// Normally distributed values with mean in1 or p1 and standard deviation in2 or p2.
class CGaussianBlock final : public CBlock {
public:
    using CBlock::CBlock;
    int Setup() override;
    void Compute() override;
};

// Unit pulses, one evaluation long, at intervals drawn uniformly between the Maximum Time
// (in1 or p1) and the Minimum Time (in2 or p2).
class CJitterBlock final : public CBlock {
public:
    using CBlock::CBlock;
    // The base record, then nextTime (double).
    void Serialize(CArchive& ar) override;
    // Seeds, then draws the time of the first pulse.
    int Setup() override;
    void Compute() override;

    double nextTime = 0.0;  // a pulse fires at the first evaluation after it
};

// sin(phase), the phase starting at the Phase Angle (in2 or p2) and advancing at the
// Frequency (in1 or p1, cycles per time unit) while the generator is on and past its Delay
// (p3). The phase follows the simulated time itself, so a step the integrator retries from
// an earlier time takes back what it added, and the phase after the delay is always
// phase0 + 2 pi f (t - delay) for a constant frequency.
class CSineWaveGeneratorBlock final : public CBlock {
public:
    using CBlock::CBlock;
    // The base record, then phase (double).
    void Serialize(CArchive& ar) override;
    int Setup() override;
    void Compute() override;
    // One evaluation at time t with the given frequency, on or off by the Switch: advances
    // the phase and returns the new output. Compute and the engine's compiled evaluation
    // both come here, so the two give the same output to the last bit.
    double Advance(double t, bool on, double frequency) {
        if (on) {
            // Time advanced past the delay since the previous evaluation; negative when a
            // step is retried from an earlier time, so the increments telescope.
            const double delay = param[3];
            const double advanced = std::max(t, delay) - std::max(previousTime, delay);
            phase = phase + (kTwoPi * frequency) * advanced;
        }
        previousTime = t;
        return std::sin(phase);
    }

    static constexpr double kTwoPi = 6.283185307179586;
    double phase = 0.0;              // radians
    double previousTime = 0.0;       // time of the previous evaluation
};

// Pulses of the Magnitude (in2 or p2), one evaluation long, every Period (in1 or p1) from
// the first evaluation at or after the Delay (p3) or, with a Switch, the first with the
// Switch >= 0. Each time the Switch goes below 0 the burst starts again.
class CTimePulseGeneratorBlock final : public CBlock {
public:
    using CBlock::CBlock;
    // The base record, then started (int32), then nextTime (double).
    void Serialize(CArchive& ar) override;
    int Setup() override;
    void Compute() override;

    std::int32_t started = 0;
    double nextTime = -1.0;
};

}  // namespace ondrel
