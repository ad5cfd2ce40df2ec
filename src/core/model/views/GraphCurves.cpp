#include "model/views/GraphCurves.h"

#include <algorithm>
#include <cmath>
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
    const Point<T> from = a;
    if (t1 < 1) b = {from.x + t1 * dx, from.y + t1 * dy};
    if (t0 > 0) a = {from.x + t0 * dx, from.y + t0 * dy};
    return true;
}

CurvePoint Truncated(double x, double y) { return {std::trunc(x), std::trunc(y)}; }

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
    a = Truncated(static_cast<double>(p0.x), static_cast<double>(p0.y));
    b = Truncated(static_cast<double>(p1.x), static_cast<double>(p1.y));
    if (!s0.far) a = s0.point;
    if (!s1.far) b = s1.point;
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
        const int at = c.count++;
        if (p.y < c.kept[1].y) c.kept[1] = p, c.order[1] = at;
        if (p.y > c.kept[2].y) c.kept[2] = p, c.order[2] = at;
        c.kept[3] = p, c.order[3] = at;
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
    int last = -1;
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
    range_ = SamplesRise(xs, sampleCount) ? VisibleSampleRange(xs, sampleCount, x.low, x.high)
                                          : SampleRange{0, sampleCount};
    const CurveMapping map(x, y, plot);
    const double margin = std::max(clipMargin, 1.0);
    const Box<double> box{plot.left - margin, plot.top - margin, plot.right + margin, plot.bottom + margin};

    MappedSample prev{};
    bool havePrev = false, open = false;
    for (std::int64_t j = range_.first; j < range_.last; ++j) {
        const double xv = SampleAt(xs, j), yv = SampleAt(ys, j);
        if (!std::isfinite(xv) || !std::isfinite(yv)) {
            if (open) EndPolyline();
            havePrev = open = false;
            continue;
        }
        const MappedSample cur = Map(map, xv, yv);
        if (havePrev) {
            Point<double> a{prev.point.x, prev.point.y}, b{cur.point.x, cur.point.y};
            CurvePoint ca, cb;
            bool drawn;
            if (prev.far || cur.far) {
                drawn = ClipFarSegment(map, prev, cur, box, ca, cb);
            } else {
                drawn = ClipSegment(a, b, box);
                ca = Truncated(a.x, a.y);
                cb = Truncated(b.x, b.y);
            }
            const bool continues = open && !prev.far && ca == prev.point;
            if (drawn && !continues) {
                if (open) EndPolyline();
                AddPoint(ca);
            }
            if (drawn) AddPoint(cb);
            else if (open) EndPolyline();
            open = drawn && !cur.far && cb == cur.point;
            if (drawn && !open) EndPolyline();
        }
        prev = cur;
        havePrev = true;
    }
    if (open) EndPolyline();
    if (!starts_.empty()) starts_.push_back(points_.size());
}

bool SamplesRise(const std::vector<double>& history, std::int64_t count) {
    if (count < 0 || history.size() < static_cast<std::size_t>(count)) return false;
    const double* h = history.data();
    for (std::int64_t j = 1; j < count; ++j)
        if (!(h[j] >= h[j - 1])) return false;
    return count == 0 || !std::isnan(h[0]);
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
