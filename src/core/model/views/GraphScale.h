#pragma once
// The scales of a graph view: from the recorded samples (or the fixed limits) of each slot to
// limits that are whole multiples of a power of ten, a number of divisions from a small
// table, the power of ten and the decimals of the tick labels, and the side of the plot on
// which each curve's scale stands.
//
// A rescale writes the limits it found into the slots' High and Low, which the chart file
// keeps; everything else it finds (divisions, exponent, decimals, sides, label sizes) is
// display state that the view holds in a GraphScale.
//
// Whatever the samples or the stored limits, the scale drawn is finite and has width:
// non-finite samples are left out of the search (a slot with no finite sample scales like a
// constant 0), a span too narrow for its magnitude or for the range of doubles is widened
// like a constant signal, limits beyond +-1e307 are brought within, and stored limits with
// Low above High are drawn swapped. Stored limits that are reversed or not finite are left
// as the user set them; only the drawing uses the repaired ones.
#include <array>
#include <cstdint>

#include "core/model/views/GraphViewState.h"
#include "core/platform/TextMeasurer.h"

namespace ondrel {

// Largest magnitude of a drawn limit: outward rounding and widening stay finite below it.
inline constexpr double kGraphLimitMagnitude = 1e307;

// What one slot's rescale gives the drawing.
struct GraphSlotScale {
    bool shown = false;      // the slot is in use and has a block; an empty slot draws nothing
    double low = 0.0;        // the limits drawn: finite, low < high
    double high = 1.0;
    int divisions = 10;      // 7..12, from the table of spans
    int exponent = 0;        // labels show value / 10^exponent; the legend states it
    int decimals = 0;        // digits after the point in the labels
    int sideCode = 0;        // curves: > 0 scale on the left, < 0 on the right, 0 not placed
    TextExtent labelSize;    // the widest label of the slot in the labels font

    bool OnLeft() const { return sideCode > 0; }
};

struct GraphScale {
    std::array<GraphSlotScale, kMaxCurves + 1> slots;  // [0] X axis, [1..3] curves
    int xDivisions = 0;      // 0: no X scale
    int leftDivisions = 0;   // 0: no scale on that side
    int rightDivisions = 0;
    int tickLength = 0;      // |legends font height|
    int gap = 0;             // trunc(0.3 x tick length)
};

// A slot's raw limits before they are rounded outward.
struct SampleLimits {
    double low = 0.0;
    double high = 0.0;
    bool anyFinite = false;  // false: no finite sample, the limits are 0 and 0
};

// The lowest and highest finite of the first count samples of block (ValueAt: a history
// shorter than count reads as 0 beyond its end).
SampleLimits FindSampleLimits(const CBlock& block, std::int64_t count);

// From raw limits (any doubles, in either order) to the drawn scale of one slot: outward
// limits, divisions, exponent and decimals. Leaves shown, sideCode and labelSize alone.
GraphSlotScale ScaleFromLimits(double low, double high);

// Places every shown curve's scale on the left or the right by its Locn and sets the
// left, right and X division counts (a curve that shares a side takes that side's
// divisions). Reads the slots' divisions, writes their side codes.
void AssignSides(const GraphViewState& state, GraphScale& scale);

// The whole rescale of limits and sides: searches the samples of every slot that is not
// Fixed when sampleCount is at least 2, rounds outward, writes High and Low back into the
// state as described above, and assigns the sides. Label sizes and the tick length are
// left to MeasureGraphLabels (the headless runner has no fonts to measure with).
void RescaleGraph(GraphViewState& state, std::int64_t sampleCount, GraphScale& scale);

// 10^e for the exponents a scale can have (about -310..310).
double PowerOfTen(int e);
// floor(log10(v)) for a finite v > 0, exact at the powers of ten.
int FloorLog10(double v);

// The length of the Clock's history: the number of samples a view shows.
std::int64_t ViewSampleCount(const CTarvekDoc& doc);

}  // namespace ondrel
