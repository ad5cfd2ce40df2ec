#include "core/blocks/DelayBlock.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "core/blocks/Spline.h"
#include "core/blocks/StatelessBlocks.h"
#include "core/io/CArchive.h"
#include "core/blocks/RunContext.h"

namespace ondrel {
namespace {


// The index of the last of m recorded samples at or before sample position pS (clamped to
// the recorded range; NaN counts as the start).
std::size_t IndexAtOrBefore(double pS, std::size_t m) {
    if (!(pS >= 1.0)) return 0;
    if (pS >= static_cast<double>(m - 1)) return m - 1;
    return static_cast<std::size_t>(std::floor(pS));
}

}  // namespace

void CDelayBlock::Serialize(CArchive& ar) {
    CBlock::Serialize(ar);
    ar.IoDoubles(inputRecord);  // the count is checked against the bytes left
}

int CDelayBlock::Setup() {
    sampleInterval = run != nullptr ? run->OutputInterval() : 0.0;
    return 1;
}

void CDelayBlock::ClearHistory() {
    CBlock::ClearHistory();
    inputRecord.clear();
}

void CDelayBlock::RecordSample() {
    inputRecord.push_back(InputOrZero(*this, 1));
    try {
        CBlock::RecordSample();
    } catch (...) {
        inputRecord.pop_back();  // keep the two records in step when memory runs out
        throw;
    }
}

void CDelayBlock::Compute() {
    const double in1 = InputOrZero(*this, 1);
    const double delay = InputOrParam(2);
    const double t = Now();
    double out;
    if (delay <= 0.0) {
        out = in1;
    } else if (t < delay) {
        out = InputOrParam(3);
    } else {
        out = DelayedInput(t, delay, in1);
    }
    value = param[1] * out;
}

double CDelayBlock::DelayedInput(double t, double delay, double in1) const {
    // Nothing recorded (or no spacing to place samples by): the current input is all there is.
    if (inputRecord.empty() || !(sampleInterval > 0.0)) return in1;
    const double dS = delay / sampleInterval;
    const double pS = t / sampleInterval - dS;  // the delayed time in sample units
    const double when = t - delay;
    // Samples usable before (b) and after (a) the delayed time; the spline wants 3 or 4.
    const double before = std::min(2.0, std::floor(pS));
    const double after = std::min(2.0, std::floor(dS));
    double out = 0.0;
    if (before + after >= 3.0 && SplineAt(when, pS, dS, t, in1, out)) return out;
    return LinearAt(when, pS, t, in1);
}

double CDelayBlock::LinearAt(double when, double pS, double t, double in1) const {
    const std::size_t m = inputRecord.size();
    const std::size_t k = IndexAtOrBefore(pS, m);
    const double t0 = static_cast<double>(k) * sampleInterval;
    const double y0 = inputRecord[k];
    double t1 = t;
    double y1 = in1;
    if (k + 1 < m) {
        t1 = static_cast<double>(k + 1) * sampleInterval;
        y1 = inputRecord[k + 1];
    }
    if (!(t1 > t0)) return y1;  // the delayed time is the current time itself
    return y0 + (y1 - y0) * ((when - t0) / (t1 - t0));
}

bool CDelayBlock::SplineAt(double when, double pS, double dS, double t, double in1,
                           double& out) const {
    const std::size_t m = inputRecord.size();
    // Beyond the record by more than the table spans: every point would be the current
    // input, which the rising-times check below refuses anyway.
    if (!(pS < static_cast<double>(m) + 2.0)) return false;
    const auto n = static_cast<std::size_t>(pS);  // pS >= 1 here: truncation is floor
    std::array<double, 4> times{};
    std::array<double, 4> values{};
    std::size_t count = 0;
    auto addSample = [&](std::size_t i) {
        const bool recorded = i < m;
        times[count] = recorded ? static_cast<double>(i) * sampleInterval : t;
        values[count] = recorded ? inputRecord[i] : in1;
        ++count;
    };
    if (std::floor(pS) >= 2.0) addSample(n - 1);
    addSample(n);
    addSample(n + 1);
    if (std::floor(dS) >= 2.0) addSample(n + 2);

    const std::span<const double> x(times.data(), count);
    const std::span<const double> y(values.data(), count);
    if (!StrictlyIncreasing(x)) return false;
    std::array<double, 4> secondDerivatives{};
    std::array<double, 4> workspace{};
    const std::span<double> y2(secondDerivatives.data(), count);
    SplineSecondDerivatives(y, x, y2, std::span<double>(workspace.data(), count));
    out = SplineEvaluate(y, x, y2, when);
    return true;
}

}  // namespace ondrel
