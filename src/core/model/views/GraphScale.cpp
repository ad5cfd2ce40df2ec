#include "core/model/views/GraphScale.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "core/model/CTarvekDoc.h"

namespace ondrel {
namespace {

// A span narrower than this, or than this share of the limits' magnitude, cannot be divided
// into labelled ticks in doubles: it is widened like a constant signal.
constexpr double kNarrowestSpan = 1e-300;
constexpr double kNarrowestShare = 1e-13;

// How many divisions a scale of n units of its power of ten has, and how many decimals its
// labels need beyond the power's own.
struct DivisionRule {
    int divisions;
    int decimalsAdded;
};

DivisionRule DivisionsFor(int n) {
    switch (n) {
        case 1:
        case 2:
        case 5: return {10, 1};
        case 3: return {12, 2};
        case 4: return {8, 1};
        case 6: return {12, 1};
        case 7:
        case 8:
        case 9:
        case 10: return {n, 0};
        default: return {10, 0};
    }
}

// A stored or searched limit as the drawing can use it: finite and within the magnitude
// that outward rounding keeps finite.
double UsableLimit(double v) {
    if (std::isnan(v)) return 0.0;
    return std::clamp(v, -kGraphLimitMagnitude, kGraphLimitMagnitude);
}

bool TooNarrow(double low, double high) {
    const double span = high - low;
    const double magnitude = std::max(std::fabs(low), std::fabs(high));
    return !(span >= kNarrowestSpan) || span < magnitude * kNarrowestShare;
}

// Low <= high on entry. Equal limits gain 1, as a constant signal does; a span still too
// narrow for its magnitude gains the magnitude's leading power of ten instead.
void WidenIfNarrow(double& low, double& high) {
    if (low == high) high += 1.0;
    if (!TooNarrow(low, high)) return;
    const double magnitude = std::max(std::fabs(low), std::fabs(high));
    const double unit = magnitude >= 1.0 ? PowerOfTen(FloorLog10(magnitude)) : 1.0;
    high = low + unit;
}

int CurveCode(const GraphScale& scale, int k) { return scale.slots[k].sideCode; }

// A curve whose placing rule has no partner: the free side if there is one, else the left
// side's divisions on the left.
void PlaceOnFreeSide(GraphScale& scale, int k) {
    GraphSlotScale& c = scale.slots[k];
    if (scale.leftDivisions == 0) {
        c.sideCode = 1;
        scale.leftDivisions = c.divisions;
    } else if (scale.rightDivisions == 0) {
        c.sideCode = -1;
        scale.rightDivisions = c.divisions;
    } else {
        c.sideCode = (CurveCode(scale, 1) == 1 || CurveCode(scale, 2) == 1) ? 2 : 1;
        c.divisions = scale.leftDivisions;
    }
}

void SetSideDivisions(GraphScale& scale, int code, int divisions) {
    if (code > 0) scale.leftDivisions = divisions;
    else scale.rightDivisions = divisions;
}

void PlaceCurve1(const GraphViewState& state, GraphScale& scale) {
    GraphSlotScale& c = scale.slots[1];
    c.sideCode = state.axisSlots[1].Locn == 1 ? -1 : 1;
    SetSideDivisions(scale, c.sideCode, c.divisions);
}

void PlaceCurve2(const GraphViewState& state, GraphScale& scale) {
    GraphSlotScale& c = scale.slots[2];
    const GraphSlotScale& one = scale.slots[1];
    const int locn = state.axisSlots[2].Locn;
    if (one.sideCode == 0) {
        PlaceOnFreeSide(scale, 2);
    } else if (locn == 1 || (locn != 2 && c.divisions == one.divisions)) {
        c.divisions = one.divisions;
        c.sideCode = 2 * one.sideCode;
    } else {
        c.sideCode = -one.sideCode;
        SetSideDivisions(scale, c.sideCode, c.divisions);
    }
}

// Curve 3 beside curve 1: 3 x curve 1's code when curve 2 already stands there with it.
int BesideCurve1(const GraphScale& scale) {
    const int c1 = CurveCode(scale, 1);
    return c1 == CurveCode(scale, 2) ? 3 * c1 : 2 * c1;
}

void PlaceCurve3(const GraphViewState& state, GraphScale& scale) {
    GraphSlotScale& c = scale.slots[3];
    const int c1 = CurveCode(scale, 1);
    const int c2 = CurveCode(scale, 2);
    const int locn = state.axisSlots[3].Locn;
    if (locn == 1 && c1 != 0) {
        c.divisions = scale.slots[1].divisions;
        c.sideCode = BesideCurve1(scale);
    } else if (locn == 2 && c2 != 0) {
        c.divisions = scale.slots[2].divisions;
        c.sideCode = (c1 != 0 && std::abs(c2) > std::abs(c1)) ? 3 * c1 : 2 * c2;
    } else if (c1 != 0 && c.divisions == scale.slots[1].divisions) {
        c.sideCode = BesideCurve1(scale);
    } else if (c2 != 0 && c.divisions == scale.slots[2].divisions) {
        c.sideCode = 2 * c2;
    } else {
        PlaceOnFreeSide(scale, 3);
    }
}

bool SlotShown(const GraphViewState& state, int i) {
    return i == 0 ? !state.axisSlots[0].block.IsEmpty() : state.CurveShown(i);
}

}  // namespace

double PowerOfTen(int e) { return std::pow(10.0, static_cast<double>(e)); }

int FloorLog10(double v) {
    int e = static_cast<int>(std::floor(std::log10(v)));
    // log10 may round across a power of ten; the powers themselves decide.
    if (PowerOfTen(e) > v) --e;
    else if (PowerOfTen(e + 1) <= v) ++e;
    return e;
}

SampleLimits FindSampleLimits(const CBlock& block, std::int64_t count) {
    SampleLimits limits;
    if (count <= 0) return limits;
    const std::vector<double>& h = block.history;
    const std::size_t recorded = std::min(h.size(), static_cast<std::size_t>(count));
    constexpr double kMax = std::numeric_limits<double>::max();
    double low = std::numeric_limits<double>::infinity(), high = -low;
    // No branch per sample: a NaN or an infinity fails the finite test and changes nothing.
    for (std::size_t j = 0; j < recorded; ++j) {
        const double v = h[j];
        const bool finite = std::fabs(v) <= kMax;
        low = finite && v < low ? v : low;
        high = finite && v > high ? v : high;
    }
    // Samples beyond a short history read as 0.
    if (recorded < static_cast<std::size_t>(count)) {
        low = std::min(low, 0.0);
        high = std::max(high, 0.0);
    }
    limits.anyFinite = low <= high;
    if (limits.anyFinite) {
        limits.low = low;
        limits.high = high;
    }
    return limits;
}

GraphSlotScale ScaleFromLimits(double low, double high) {
    low = UsableLimit(low);
    high = UsableLimit(high);
    if (low > high) std::swap(low, high);
    WidenIfNarrow(low, high);

    GraphSlotScale s;
    const int e = FloorLog10(high - low);
    const double m = PowerOfTen(e);
    s.high = std::ceil(high / m) * m;
    s.low = std::floor(low / m) * m;
    s.exponent = FloorLog10(std::max(std::fabs(s.high), std::fabs(s.low)));
    // The span is a whole number of units; rounding, not truncation, keeps 5.999... at 6.
    const double units = std::clamp(std::round((s.high - s.low) / m), 0.0, 100.0);
    const DivisionRule rule = DivisionsFor(static_cast<int>(units));
    s.divisions = rule.divisions;
    s.decimals = s.exponent - e + rule.decimalsAdded;
    return s;
}

void AssignSides(const GraphViewState& state, GraphScale& scale) {
    scale.leftDivisions = 0;
    scale.rightDivisions = 0;
    scale.xDivisions = scale.slots[0].shown ? scale.slots[0].divisions : 0;
    for (int k = 1; k <= kMaxCurves; ++k) scale.slots[k].sideCode = 0;
    if (scale.slots[1].shown) PlaceCurve1(state, scale);
    if (scale.slots[2].shown) PlaceCurve2(state, scale);
    if (scale.slots[3].shown) PlaceCurve3(state, scale);
}

void RescaleGraph(GraphViewState& state, std::int64_t sampleCount, GraphScale& scale) {
    for (int i = 0; i <= kMaxCurves; ++i) {
        GraphSlotScale& result = scale.slots[i];
        const TextExtent labelSize = result.labelSize;
        if (!SlotShown(state, i)) {
            result = GraphSlotScale{};
            result.divisions = 0;
            continue;
        }
        GraphSlot& slot = state.axisSlots[i];
        double low = slot.Low, high = slot.High;
        bool store = std::isfinite(low) && std::isfinite(high) && low <= high;
        if (!slot.Fixed && sampleCount >= 2) {
            const SampleLimits found = FindSampleLimits(*slot.block.block, sampleCount);
            low = found.low;
            high = found.high;
            store = true;
        }
        result = ScaleFromLimits(low, high);
        result.shown = true;
        result.labelSize = labelSize;
        if (store) {
            slot.Low = result.low;
            slot.High = result.high;
        }
    }
    AssignSides(state, scale);
}

std::int64_t ViewSampleCount(const CTarvekDoc& doc) {
    const CBlock* clock = doc.Clock();
    return clock ? static_cast<std::int64_t>(clock->history.size()) : 0;
}

}  // namespace ondrel
