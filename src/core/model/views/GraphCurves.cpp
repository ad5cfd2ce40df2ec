#include "core/model/views/GraphCurves.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace ondrel {
namespace {

template <typename T>
struct Point {
    T x, y;
};

template <typename T>
struct Box {
    T left, top, right, bottom;
    bool Contains(const Point<T>& p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

// One edge test of the Liang-Barsky clip: narrows [t0, t1] by the edge p * t <= q.
template <typename T>
bool NarrowByEdge(T p, T q, T& t0, T& t1) {
    if (p == 0) return q >= 0;
    const T t = q / p;
    if (p < 0) {
        if (t > t1) return false;
        if (t > t0) t0 = t;
    } else {
        if (t < t0) return false;
        if (t < t1) t1 = t;
    }
    return true;
}

// Clips a-b to box, measuring from a (the endpoint nearer the box keeps its precision);
// an endpoint inside the box is left exactly as it was. False when the segment misses.
template <typename T>
bool ClipSegment(Point<T>& a, Point<T>& b, const Box<T>& box) {
    const T dx = b.x - a.x, dy = b.y - a.y;
    T t0 = 0, t1 = 1;
    if (!NarrowByEdge(-dx, a.x - box.left, t0, t1) || !NarrowByEdge(dx, box.right - a.x, t0, t1) ||
        !NarrowByEdge(-dy, a.y - box.top, t0, t1) || !NarrowByEdge(dy, box.bottom - a.y, t0, t1))
        return false;
    // A point found on an edge is snapped onto the box: rounding must not move it out.
    auto along = [&](T t) {
        return Point<T>{std::clamp(a.x + t * dx, box.left, box.right), std::clamp(a.y + t * dy, box.top, box.bottom)};
    };
    if (t1 < 1) b = along(t1);
    if (t0 > 0) a = along(t0);
    return true;
}

// Toward zero, as a conversion to int does; the callers keep |v| within kFar (or within the
// clip box), so the 64-bit conversion is exact and cheaper than a library call.
double TruncatedNear(double v) { return static_cast<double>(static_cast<std::int64_t>(v)); }
CurvePoint Truncated(double x, double y) { return {TruncatedNear(x), TruncatedNear(y)}; }

bool IsFar(const CurvePoint& p) {
    return !(std::fabs(p.x) <= CurveMapping::kFar && std::fabs(p.y) <= CurveMapping::kFar);
}

// One sample of a history, 0.0 beyond its end.
double SampleAt(const std::vector<double>& h, std::int64_t j) {
    return static_cast<std::size_t>(j) < h.size() ? h[static_cast<std::size_t>(j)] : 0.0;
}

// A mapped sample: its truncated point (meaningful when not far) and its values.
struct MappedSample {
    double xValue, yValue;
    CurvePoint point;
    bool far;
};

MappedSample Map(const CurveMapping& map, double xv, double yv) {
    MappedSample s{xv, yv, {map.X(xv), map.Y(yv)}, false};
    s.far = IsFar(s.point);
    if (!s.far) s.point = Truncated(s.point.x, s.point.y);
    return s;
}

// A segment with a far endpoint: clipped in extended precision from the nearer endpoint.
bool ClipFarSegment(const CurveMapping& map, const MappedSample& s0, const MappedSample& s1,
                    const Box<double>& box, CurvePoint& a, CurvePoint& b) {
    auto precise = [&](const MappedSample& s) {
        if (!s.far) return Point<long double>{s.point.x, s.point.y};
        return Point<long double>{map.PreciseX(s.xValue), map.PreciseY(s.yValue)};
    };
    Point<long double> p0 = precise(s0), p1 = precise(s1);
    const Box<long double> wide{box.left, box.top, box.right, box.bottom};
    const bool swapped = s0.far && !s1.far;
    if (swapped) std::swap(p0, p1);
    if (!ClipSegment(p0, p1, wide)) return false;
    if (swapped) std::swap(p0, p1);
    // An endpoint inside the box came through unchanged: its whole units convert back exactly.
    a = Truncated(static_cast<double>(p0.x), static_cast<double>(p0.y));
    b = Truncated(static_cast<double>(p1.x), static_cast<double>(p1.y));
    return true;
}

}  // namespace

CurveMapping::CurveMapping(const GraphSlotScale& x, const GraphSlotScale& y, const PlotArea& plot)
    : xLow_(x.low),
      yLow_(y.low),
      xScale_((plot.right - plot.left) / (x.high - x.low)),
      yScale_((plot.bottom - plot.top) / (y.high - y.low)),
      plot_(plot) {}

long double CurveMapping::PreciseX(double value) const {
    return plot_.left + (static_cast<long double>(value) - xLow_) * xScale_;
}

long double CurveMapping::PreciseY(double value) const {
    return plot_.bottom - (static_cast<long double>(value) - yLow_) * yScale_;
}

bool CurveMapping::KeepsXOrder() const { return xScale_ > 0 && std::isfinite(xScale_); }

double CurveMapping::XValue(double deviceX) const { return xLow_ + (deviceX - plot_.left) / xScale_; }
double CurveMapping::YValue(double deviceY) const { return yLow_ + (plot_.bottom - deviceY) / yScale_; }

std::span<const CurvePoint> CurvePolylines::Polyline(std::size_t i) const {
    if (i + 1 >= starts_.size()) return {};
    return {points_.data() + starts_[i], starts_[i + 1] - starts_[i]};
}

void CurvePolylines::AddPoint(const CurvePoint& p) {
    if (!decimate_) {
        points_.push_back(p);
        return;
    }
    Column& c = column_;
    if (c.open && p.x == c.x) {
        ExtendColumn(p);
        return;
    }
    FlushColumn();
    c.open = true;
    c.x = p.x;
    c.count = 1;
    c.kept.fill(p);
    c.order.fill(0);
}

// Emits the kept points of the column in sample order, each once.
void CurvePolylines::FlushColumn() {
    Column& c = column_;
    if (!c.open) return;
    c.open = false;
    std::array<int, 4> index{0, 1, 2, 3};
    std::sort(index.begin(), index.end(), [&](int a, int b) { return c.order[a] < c.order[b]; });
    std::int64_t last = -1;
    for (int i : index) {
        if (c.order[i] == last) continue;
        last = c.order[i];
        points_.push_back(c.kept[i]);
    }
}

void CurvePolylines::EndPolyline() {
    FlushColumn();
    if (points_.size() - openStart_ >= 2) {
        starts_.push_back(openStart_);
        openStart_ = points_.size();
    } else {
        points_.resize(openStart_);
    }
}

// Follows one curve sample by sample: clips each segment, chains the drawn ones into
// polylines and hands their points to the column reduction.
struct CurvePolylines::Tracer {
    CurvePolylines& out;
    const CurveMapping& map;
    Box<double> box;
    MappedSample prev{};
    bool havePrev = false;
    bool open = false;  // a polyline is open and ends at prev's point, which is inside the box
    double endsColumn = std::numeric_limits<double>::quiet_NaN();  // the column whose samples
    std::int64_t columnEnd = 0;                                      // end before this one

    // The usual case: the open polyline goes on to a point inside the box. False when the
    // sample needs the general step (non-finite, far, outside, or nothing open).
    bool StepInside(double xv, double yv) {
        if (!open) return false;
        const double px = map.X(xv), py = map.Y(yv);
        if (!(std::fabs(px) <= CurveMapping::kFar && std::fabs(py) <= CurveMapping::kFar)) return false;
        const CurvePoint p = Truncated(px, py);
        if (!box.Contains({p.x, p.y})) return false;
        Column& c = out.column_;
        if (out.decimate_ && c.open && p.x == c.x) {
            out.ExtendColumn(p);
        } else {
            out.AddPoint(p);
        }
        prev = {xv, yv, p, false};
        return true;
    }

    void Step(double xv, double yv) {
        if (!std::isfinite(xv) || !std::isfinite(yv)) {
            if (open) out.EndPolyline();
            havePrev = open = false;
            return;
        }
        const MappedSample cur = Map(map, xv, yv);
        if (havePrev) Segment(cur);
        prev = cur;
        havePrev = true;
    }

    // Where the samples from j on that fall in the open column end, when the device x of the
    // samples never falls (X rises and maps left to right): found by galloping and halving,
    // not by mapping every sample. Sample j - 1 lies in the column, so only its far side is
    // tested: truncation toward zero keeps a device x in column c up to c + 1 when c >= 0,
    // and up to c itself when c < 0.
    std::int64_t ColumnEnd(const double* xs, std::int64_t j, std::int64_t end, double columnX) const {
        auto inColumn = [&](std::int64_t k) {
            const double px = map.X(xs[k]);
            return columnX >= 0 ? px < columnX + 1 : px <= columnX;
        };
        std::int64_t in = j, probe = j, step = 1;  // samples [j, in) lie in the column
        while (probe < end && inColumn(probe)) {
            in = probe + 1;
            probe = in - 1 + step;
            step *= 2;
        }
        std::int64_t out = std::min(probe, end);
        while (in < out) {
            const std::int64_t mid = in + (out - in) / 2;
            if (inColumn(mid))
                in = mid + 1;
            else
                out = mid;
        }
        return in;
    }

    // Takes samples from j on while each stays in the open column inside the box: the
    // column's extremes are kept in registers, nothing else is touched per sample. Returns
    // the first sample it did not take (a new column, a gap, or a point off the box).
    template <bool kOrderedX>
    std::int64_t TakeInColumn(const double* xs, const double* ys, std::int64_t j, std::int64_t end) {
        Column& c = out.column_;
        const std::int64_t start = j;
        const double columnX = c.x;
        // A point clipped onto an edge between whole units is truncated to the column just
        // beyond it: samples there are not inside the box and take the general step.
        if (!(columnX >= box.left && columnX <= box.right)) return j;
        std::int64_t stop = end;
        if constexpr (kOrderedX) {
            // A curve near an edge of the box leaves and re-enters one column many times.
            if (!(columnX == endsColumn && j <= columnEnd)) columnEnd = ColumnEnd(xs, j, end, columnX);
            endsColumn = columnX;
            stop = columnEnd;
        }
        // Rows are whole units: comparing them with the box's rounded-in edges is exact.
        const auto top = static_cast<std::int64_t>(std::ceil(box.top));
        const auto bottom = static_cast<std::int64_t>(std::floor(box.bottom));
        auto lowY = static_cast<std::int64_t>(c.kept[1].y), highY = static_cast<std::int64_t>(c.kept[2].y);
        auto lastY = static_cast<std::int64_t>(c.kept[3].y);
        std::int64_t at = c.count, lowAt = c.order[1], highAt = c.order[2];
        for (; j < stop; ++j, ++at) {
            if constexpr (!kOrderedX) {
                const double px = map.X(xs[j]);
                if (!(std::fabs(px) <= CurveMapping::kFar && TruncatedNear(px) == columnX)) break;
            }
            const double py = map.Y(ys[j]);
            if (!(std::fabs(py) <= CurveMapping::kFar)) break;
            const auto ty = static_cast<std::int64_t>(py);
            if (ty < top || ty > bottom) break;
            if (ty < lowY) lowY = ty, lowAt = at;
            if (ty > highY) highY = ty, highAt = at;
            lastY = ty;
        }
        if (j == start) return j;
        c.kept[1] = {columnX, static_cast<double>(lowY)}, c.order[1] = lowAt;
        c.kept[2] = {columnX, static_cast<double>(highY)}, c.order[2] = highAt;
        c.kept[3] = {columnX, static_cast<double>(lastY)}, c.order[3] = at - 1;
        c.count = at;
        prev = {xs[j - 1], ys[j - 1], {columnX, static_cast<double>(lastY)}, false};
        return j;
    }

    // The edges of the box a point lies beyond, one bit each.
    unsigned EdgesBeyond(double px, double py) const {
        return unsigned(py < box.top) | unsigned(py > box.bottom) << 1 | unsigned(px < box.left) << 2 |
               unsigned(px > box.right) << 3;
    }

    // Takes samples from j on while each lies beyond an edge of the box that the one before
    // it lies beyond too, which is where a curve zoomed in spends much of its time: every
    // such segment misses the box, so nothing is drawn and only the last sample is kept.
    std::int64_t TakeBeyondEdge(const double* xs, const double* ys, std::int64_t j, std::int64_t end) {
        unsigned before = EdgesBeyond(prev.point.x, prev.point.y);
        const std::int64_t start = j;
        for (; j < end; ++j) {
            const double px = map.X(xs[j]), py = map.Y(ys[j]);
            if (!(std::fabs(px) <= CurveMapping::kFar && std::fabs(py) <= CurveMapping::kFar)) break;
            const unsigned edges = EdgesBeyond(TruncatedNear(px), TruncatedNear(py));
            if ((edges & before) == 0) break;
            before = edges;
        }
        if (j != start) prev = Map(map, xs[j - 1], ys[j - 1]);
        return j;
    }

    // Both ends lie beyond the same edge of the box: the segment cannot touch it. Decided on
    // whole units, exactly as the clip would decide it, without its divisions.
    bool MissesBox(const MappedSample& cur) const {
        const CurvePoint &a = prev.point, &b = cur.point;
        return (a.y < box.top && b.y < box.top) || (a.y > box.bottom && b.y > box.bottom) ||
               (a.x < box.left && b.x < box.left) || (a.x > box.right && b.x > box.right);
    }

    void Segment(const MappedSample& cur) {
        if (!prev.far && !cur.far && MissesBox(cur)) {
            if (open) out.EndPolyline();
            open = false;
            return;
        }
        Point<double> a{prev.point.x, prev.point.y}, b{cur.point.x, cur.point.y};
        CurvePoint ca = prev.point, cb = cur.point;
        bool drawn = true;
        if (prev.far || cur.far) {
            drawn = ClipFarSegment(map, prev, cur, box, ca, cb);
        } else if (!box.Contains(a) || !box.Contains(b)) {
            drawn = ClipSegment(a, b, box);
            ca = Truncated(a.x, a.y);
            cb = Truncated(b.x, b.y);
        }
        if (!drawn) {
            if (open) out.EndPolyline();
            open = false;
            return;
        }
        if (!(open && !prev.far && ca == prev.point)) {
            if (open) out.EndPolyline();
            out.AddPoint(ca);
        }
        out.AddPoint(cb);
        open = !cur.far && cb == cur.point;
        if (!open) out.EndPolyline();
    }
};

void CurvePolylines::Build(const CBlock& xBlock, const CBlock& yBlock, std::int64_t sampleCount,
                           const GraphSlotScale& x, const GraphSlotScale& y, const PlotArea& plot,
                           double clipMargin, bool decimate) {
    points_.clear();
    starts_.clear();
    openStart_ = 0;
    column_.open = false;
    decimate_ = decimate;
    range_ = {};
    if (sampleCount < 2 || !(x.high > x.low) || !(y.high > y.low)) return;
    const std::vector<double>& xs = xBlock.history;
    const std::vector<double>& ys = yBlock.history;
    const bool rising = SamplesRise(xs, sampleCount);
    range_ = rising ? VisibleSampleRange(xs, sampleCount, x.low, x.high) : SampleRange{0, sampleCount};
    const CurveMapping map(x, y, plot);
    const bool orderedX = rising && map.KeepsXOrder();
    const double margin = std::max(clipMargin, 1.0);
    Tracer tracer{*this, map, {plot.left - margin, plot.top - margin, plot.right + margin, plot.bottom + margin}};

    // Both histories are read directly as far as both reach; beyond, ValueAt's zeros.
    const std::int64_t direct = std::clamp<std::int64_t>(
        static_cast<std::int64_t>(std::min(xs.size(), ys.size())), range_.first, range_.last);
    const double* xd = xs.data();
    const double* yd = ys.data();
    for (std::int64_t j = range_.first; j < direct;) {
        if (decimate && tracer.open && column_.open) {
            const std::int64_t next = orderedX ? tracer.TakeInColumn<true>(xd, yd, j, direct)
                                               : tracer.TakeInColumn<false>(xd, yd, j, direct);
            if (next != j) {
                j = next;
                continue;
            }
        }
        if (tracer.havePrev && !tracer.open && !tracer.prev.far) {
            const std::int64_t next = tracer.TakeBeyondEdge(xd, yd, j, direct);
            if (next != j) {
                j = next;
                continue;
            }
        }
        if (!tracer.StepInside(xd[j], yd[j])) tracer.Step(xd[j], yd[j]);
        ++j;
    }
    for (std::int64_t j = direct; j < range_.last; ++j) tracer.Step(SampleAt(xs, j), SampleAt(ys, j));
    if (tracer.open) EndPolyline();
    if (!starts_.empty()) starts_.push_back(points_.size());
}

int ToDevicePixel(double coordinate) {
    if (std::isnan(coordinate)) return 0;
    return static_cast<int>(std::clamp(coordinate, -CurveMapping::kFar, CurveMapping::kFar));
}

bool SamplesRise(const std::vector<double>& history, std::int64_t count) {
    if (count < 0 || history.size() < static_cast<std::size_t>(count)) return false;
    if (count == 0) return true;
    const double* h = history.data();
    if (std::isnan(h[0])) return false;
    // Whole blocks of a fixed length without a branch per sample, which the compiler can
    // turn into vector comparisons; then the rest one by one.
    constexpr std::int64_t kBlock = 1024;
    std::int64_t j = 1;
    for (; j + kBlock <= count; j += kBlock) {
        int falls = 0;
        for (std::int64_t k = 0; k < kBlock; ++k) falls |= !(h[j + k] >= h[j + k - 1]);
        if (falls != 0) return false;
    }
    for (; j < count; ++j)
        if (!(h[j] >= h[j - 1])) return false;
    return true;
}

SampleRange VisibleSampleRange(const std::vector<double>& xHistory, std::int64_t count, double low, double high) {
    count = std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(xHistory.size()));
    const auto begin = xHistory.begin(), end = xHistory.begin() + count;
    const std::int64_t first = std::lower_bound(begin, end, low) - begin;
    const std::int64_t last = std::upper_bound(begin, end, high) - begin;
    return {std::max<std::int64_t>(first - 1, 0), std::min<std::int64_t>(last + 1, count)};
}

std::int64_t NearestSample(const CBlock& xBlock, std::int64_t count, double value, bool rising) {
    if (count <= 0) return -1;
    const std::vector<double>& xs = xBlock.history;
    auto distance = [&](std::int64_t j) { return std::fabs(SampleAt(xs, j) - value); };
    if (rising && xs.size() >= static_cast<std::size_t>(count)) {
        const auto begin = xs.begin();
        std::int64_t j = std::lower_bound(begin, begin + count, value) - begin;
        if (j >= count) return count - 1;
        if (j > 0 && distance(j - 1) <= distance(j)) return j - 1;
        return j;
    }
    std::int64_t best = 0;
    for (std::int64_t j = 1; j < count; ++j)
        if (distance(j) < distance(best)) best = j;
    return best;
}

}  // namespace ondrel
