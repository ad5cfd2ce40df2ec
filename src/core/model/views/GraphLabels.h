#pragma once
// The texts of a graph view's scales: tick labels printed scaled by the slot's power of ten,
// the legend that states that power, and the measuring of the labels that sizes the margins.
#include <string>

#include "core/model/views/GraphScale.h"

namespace ondrel {

// The fixed-point conversion of a slot's labels: "%" + w + "." + d + "f", where d is the
// decimals with at least two digits and w the field width (decimals + 3, or 2 without
// decimals) written the same way with its first character dropped: decimals 0 "%2.00f",
// 1 "%4.01f", 2 "%5.02f", 7 "%0.07f".
std::string TickLabelPattern(int decimals);

// The value of tick k of n on the slot's scale: low + (high - low) / n * k.
double TickValue(const GraphSlotScale& slot, int k, int n);

// The label of value v: v / 10^exponent through the slot's pattern ("0.5" -> " 0.5").
std::string TickLabelText(double value, const GraphSlotScale& slot);

// The legend of a slot: the block's label + "  E" + the exponent as "%+3d" ("Clock  E +1").
std::string LegendText(const std::string& blockLabel, int exponent);

// The text measured for a slot's label size: "+X", then "." and one "X" per decimal.
std::string LabelSizeSample(int decimals);

// Tick length and gap from the legends font, and every shown slot's label size in the
// labels font. Called after RescaleGraph, with the measurer of the device drawn on.
void MeasureGraphLabels(const GraphViewState& state, const ITextMeasurer& measurer, GraphScale& scale);

}  // namespace ondrel
