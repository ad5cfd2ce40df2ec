#pragma once
// Where a graph view's parts go in a drawing area of width x height units (y measured down
// from the top): the margins around the plot, the tick positions, the label columns and the
// legend boxes. Screen, printer and tests lay out through the same code.
#include <array>

#include "core/model/views/GraphScale.h"

namespace ondrel {

struct GraphRect {
    int left = 0;
    int top = 0;
    int right = 0;   // exclusive
    int bottom = 0;  // exclusive
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const GraphRect&) const = default;
};

struct GraphLayout {
    int width = 0;
    int height = 0;
    int marginLeft = 0;
    int marginRight = 0;
    int marginBottom = 0;
    int marginTop = 0;
    int notesHeight = 0;   // 0 when the notes are not shown
    int legendHeight = 0;  // the height of "XX" in the legends font
    // The left edge of each curve's label column ([1..3]; 0 for a curve not shown): columns
    // stand outward from their axis in curve order, gap apart, the first 2 x gap from it.
    std::array<int, kMaxCurves + 1> labelColumnLeft{};

    // From (marginLeft, marginTop) to (width - marginRight, height - marginBottom).
    GraphRect Plot() const;
    // x of X tick k of n: left margin + trunc(plot width x k / n).
    int XTick(int k, int n) const;
    // y of value tick k of n: height - bottom margin - trunc(plot height x k / n).
    int YTick(int k, int n) const;
    // The box of legend i (0 X, 1..curveCount) of textHeight: width / (curveCount + 1) wide,
    // its top at height - textHeight - gap.
    GraphRect LegendBox(int i, int curveCount, int textHeight, int gap) const;
};

// The layout of a graph of the given scale in a width x height area. The notes are measured
// wrapped to the width when they are shown.
GraphLayout LayoutGraph(const GraphViewState& state, const GraphScale& scale, const ITextMeasurer& measurer,
                        int width, int height);

// The same margins in another area (a printed page keeps the screen's margins, label sizes
// and divisions); the label columns follow the new width.
GraphLayout ResizeGraphLayout(const GraphLayout& layout, const GraphScale& scale, int width, int height);

}  // namespace ondrel
