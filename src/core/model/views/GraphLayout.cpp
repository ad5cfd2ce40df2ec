#include "core/model/views/GraphLayout.h"

#include <algorithm>
#include <cstdint>

namespace ondrel {
namespace {

// Sizes measured or typed can be anything; a layout stays within this.
constexpr std::int64_t kLargestExtent = 1 << 24;

int Bounded(std::int64_t v) { return static_cast<int>(std::clamp(v, -kLargestExtent, kLargestExtent)); }

// Columns stand outward from their axis: on the left each one's right edge is gap to the
// left of the previous one's left edge, the first 2 x gap from the axis; the right mirrors.
void PlaceLabelColumns(const GraphScale& scale, GraphLayout& layout) {
    std::int64_t leftEdge = static_cast<std::int64_t>(layout.marginLeft) - scale.gap;
    std::int64_t rightEdge = static_cast<std::int64_t>(layout.width) - layout.marginRight + scale.gap;
    for (int k = 1; k <= kMaxCurves; ++k) {
        const GraphSlotScale& c = scale.slots[k];
        if (!c.shown) continue;
        if (c.OnLeft()) {
            leftEdge -= scale.gap + c.labelSize.width;
            layout.labelColumnLeft[k] = Bounded(leftEdge);
        } else {
            layout.labelColumnLeft[k] = Bounded(rightEdge + scale.gap);
            rightEdge += scale.gap + c.labelSize.width;
        }
    }
}

}  // namespace

GraphRect GraphLayout::Plot() const {
    return {marginLeft, marginTop, width - marginRight, height - marginBottom};
}

int GraphLayout::XTick(int k, int n) const {
    if (n <= 0) return marginLeft;
    const std::int64_t plotWidth = static_cast<std::int64_t>(width) - marginRight - marginLeft;
    return Bounded(marginLeft + plotWidth * k / n);
}

int GraphLayout::YTick(int k, int n) const {
    const std::int64_t bottom = static_cast<std::int64_t>(height) - marginBottom;
    if (n <= 0) return Bounded(bottom);
    const std::int64_t plotHeight = bottom - marginTop;
    return Bounded(bottom - plotHeight * k / n);
}

GraphRect GraphLayout::LegendBox(int i, int curveCount, int textHeight, int gap) const {
    const int boxWidth = width / (std::max(curveCount, 0) + 1);
    const int top = height - textHeight - gap;
    return {boxWidth * i, top, boxWidth * (i + 1), top + textHeight};
}

GraphLayout LayoutGraph(const GraphViewState& state, const GraphScale& scale, const ITextMeasurer& measurer,
                        int width, int height) {
    GraphLayout layout;
    layout.width = width;
    layout.height = height;
    std::int64_t left = scale.gap, right = scale.gap;
    for (int k = 1; k <= kMaxCurves; ++k) {
        const GraphSlotScale& c = scale.slots[k];
        if (!c.shown) continue;
        (c.OnLeft() ? left : right) += scale.gap + c.labelSize.width;
    }
    layout.legendHeight = measurer.Measure("XX", state.LegendsFont).height;
    const bool notesShown = state.DisplayNotes && !state.notes.empty();
    layout.notesHeight = notesShown ? measurer.WrappedHeight(state.notes, state.NotesFont, width) : 0;
    const double bottomExtra = 1.5 * scale.slots[0].labelSize.height + 2.0 * scale.gap + layout.legendHeight;
    layout.marginLeft = Bounded(left);
    layout.marginRight = Bounded(right);
    layout.marginBottom = Bounded(scale.gap + static_cast<std::int64_t>(std::clamp(bottomExtra, -1e7, 1e7)));
    layout.marginTop = Bounded(3 * static_cast<std::int64_t>(scale.gap) + layout.notesHeight);
    PlaceLabelColumns(scale, layout);
    return layout;
}

GraphLayout ResizeGraphLayout(const GraphLayout& layout, const GraphScale& scale, int width, int height) {
    GraphLayout resized = layout;
    resized.width = width;
    resized.height = height;
    resized.labelColumnLeft.fill(0);
    PlaceLabelColumns(scale, resized);
    return resized;
}

}  // namespace ondrel
