#pragma once
// The curves of a graph view as polylines in device coordinates, ready for any painter.
//
// Each sample j is the point (X value j, curve value j) mapped onto the plot rectangle and
// truncated to whole device units. A non-finite sample (of X or of the curve) breaks the
// curve: no segment goes to or from it. Every segment is clipped to the plot rectangle
// widened by a margin (pass at least the pen's width), in doubles, or in extended precision
// when an end is far away, so no coordinate handed to a painter is far outside the plot,
// whatever the values; a segment that misses the widened rectangle is left out and breaks
// the polyline. Drawn through a clip to the plot, the curve shows every segment that
// crosses the plot, also one whose two ends lie outside it.
//
// Long curves are reduced per device column: of each run of consecutive points that share a
// column, only the first, the last, the lowest and the highest are kept, in sample order.
// The vertical strokes between them cover the same pixels as the segments they replace, so
// a thin aliased line draws exactly the pixels of drawing every segment, from at most four
// points per column. When the X samples rise, only the samples in the visible X range (and
// one beyond each end) are read.
//
// The buffers are reused: after the first build of a given size, a rebuild allocates
// nothing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/model/views/GraphScale.h"

namespace ondrel {

struct CurvePoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const CurvePoint&) const = default;
};

// A rectangle in device coordinates, y down; right and bottom are the far edges.
struct PlotArea {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

// The affine map of an X scale and a curve's scale onto a plot area, in doubles. A point
// further than kFar from the origin is far: its segments are clipped in extended precision.
class CurveMapping {
public:
    static constexpr double kFar = 1e7;

    CurveMapping(const GraphSlotScale& x, const GraphSlotScale& y, const PlotArea& plot);
    double X(double value) const { return plot_.left + (value - xLow_) * xScale_; }
    double Y(double value) const { return plot_.bottom - (value - yLow_) * yScale_; }
    // Whether a rising X value always maps to a device x that does not fall (a positive,
    // finite scale).
    bool KeepsXOrder() const;
    long double PreciseX(double value) const;
    long double PreciseY(double value) const;
    // The inverse maps: the value at device x or y (the readout, zooming about the mouse).
    double XValue(double deviceX) const;
    double YValue(double deviceY) const;

private:
    double xLow_, yLow_, xScale_, yScale_;
    PlotArea plot_;
};

// A device coordinate as an int, truncated toward zero after clamping to +-kFar, so no value
// (infinite, NaN as 0, or astronomically large) overflows the conversion.
int ToDevicePixel(double coordinate);

// Samples [first, last) of a history that can reach the visible X range [low, high].
struct SampleRange {
    std::int64_t first = 0;
    std::int64_t last = 0;
};

class CurvePolylines {
public:
    // Rebuilds the polylines of the curve yBlock against xBlock over the first sampleCount
    // samples (ValueAt: histories shorter than the count read 0 beyond their end). decimate
    // false keeps every point: the reference drawing that the reduced one must match.
    void Build(const CBlock& xBlock, const CBlock& yBlock, std::int64_t sampleCount, const GraphSlotScale& x,
               const GraphSlotScale& y, const PlotArea& plot, double clipMargin, bool decimate = true);

    std::size_t PolylineCount() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    std::span<const CurvePoint> Polyline(std::size_t i) const;
    std::size_t PointCount() const { return points_.size(); }
    // The samples the last build read.
    SampleRange LastRange() const { return range_; }

private:
    // The run of points of the open polyline that share one column, in sample order.
    struct Column {
        bool open = false;
        double x = 0.0;
        std::int64_t count = 0;
        std::array<CurvePoint, 4> kept;        // first, lowest, highest, last
        std::array<std::int64_t, 4> order{};  // their positions within the run
    };
    struct Tracer;
    void AddPoint(const CurvePoint& p);
    // p lies in the open column: it becomes its last point, and its lowest or highest.
    void ExtendColumn(const CurvePoint& p) {
        Column& c = column_;
        const std::int64_t at = c.count++;
        if (p.y < c.kept[1].y) c.kept[1] = p, c.order[1] = at;
        if (p.y > c.kept[2].y) c.kept[2] = p, c.order[2] = at;
        c.kept[3] = p, c.order[3] = at;
    }
    void FlushColumn();
    void EndPolyline();

    bool decimate_ = true;
    Column column_;
    std::size_t openStart_ = 0;
    std::vector<CurvePoint> points_;
    std::vector<std::size_t> starts_;  // polyline i is points_[starts_[i], starts_[i + 1])
    SampleRange range_;
};

// Whether the first count samples of history never fall (and hold no NaN): X of time always
// rises, which allows the binary searches below. False when the history is shorter than
// count (the samples beyond its end read 0).
bool SamplesRise(const std::vector<double>& history, std::int64_t count);

// The samples of a rising X history of count samples that can touch [low, high]: from the
// last sample below low to the first one above high, both included.
SampleRange VisibleSampleRange(const std::vector<double>& xHistory, std::int64_t count, double low, double high);

// The sample whose X value is nearest to value (ties to the earlier one); -1 when count is
// 0. Binary search when rising is true, a scan otherwise.
std::int64_t NearestSample(const CBlock& xBlock, std::int64_t count, double value, bool rising);

}  // namespace ondrel
