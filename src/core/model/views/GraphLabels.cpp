#include "core/model/views/GraphLabels.h"

#include <algorithm>
#include <cstdlib>

#include "core/platform/NumberFormat.h"

namespace ondrel {
namespace {

// At least two digits: 7 -> "07", 12 -> "12".
std::string TwoDigits(int v) {
    std::string text = std::to_string(v);
    return text.size() < 2 ? "0" + text : text;
}

// A font height from a file can be anything; a tick longer than this is no tick.
constexpr std::int64_t kLongestTick = 1000;

}  // namespace

std::string TickLabelPattern(int decimals) {
    decimals = std::clamp(decimals, 0, 99);
    const int width = decimals >= 1 ? decimals + 3 : 2;
    return "%" + TwoDigits(width).substr(1) + "." + TwoDigits(decimals) + "f";
}

double TickValue(const GraphSlotScale& slot, int k, int n) {
    if (n <= 0) return slot.low;
    return slot.low + (slot.high - slot.low) / n * k;
}

std::string TickLabelText(double value, const GraphSlotScale& slot) {
    return FormatNumber(TickLabelPattern(slot.decimals), value / PowerOfTen(slot.exponent));
}

std::string LegendText(const std::string& blockLabel, int exponent) {
    return blockLabel + "  E" + FormatNumber("%+3.0f", static_cast<double>(exponent));
}

std::string LabelSizeSample(int decimals) {
    std::string text = "+X";
    if (decimals > 0) text += "." + std::string(static_cast<std::size_t>(std::min(decimals, 99)), 'X');
    return text;
}

void MeasureGraphLabels(const GraphViewState& state, const ITextMeasurer& measurer, GraphScale& scale) {
    const std::int64_t height = state.LegendsFont.height;
    scale.tickLength = static_cast<int>(std::min<std::int64_t>(std::llabs(height), kLongestTick));
    scale.gap = static_cast<int>(0.3 * scale.tickLength);
    for (GraphSlotScale& slot : scale.slots)
        slot.labelSize = slot.shown ? measurer.Measure(LabelSizeSample(slot.decimals), state.LabelsFont) : TextExtent{};
}

}  // namespace ondrel
