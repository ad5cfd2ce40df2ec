#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "ViewTestSupport.h"
#include "core/model/views/GraphCurves.h"

namespace ondrel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

GraphSlotScale Scale(double low, double high) {
    GraphSlotScale s;
    s.shown = true;
    s.low = low;
    s.high = high;
    return s;
}

// What an aliased line draws of a polyline whose points are whole units, per run of points
// in one column: the column, the span of rows it covers, and where the run enters and
// leaves (which fixes the slanted strokes to the neighbouring columns).
using Run = std::tuple<double, double, double, double, double>;  // x, top, bottom, first y, last y

std::vector<std::vector<Run>> Coverage(const CurvePolylines& curves) {
    std::vector<std::vector<Run>> lines;
    for (std::size_t i = 0; i < curves.PolylineCount(); ++i) {
        std::vector<Run> runs;
        for (const CurvePoint& p : curves.Polyline(i)) {
            if (!runs.empty() && std::get<0>(runs.back()) == p.x) {
                Run& r = runs.back();
                std::get<1>(r) = std::min(std::get<1>(r), p.y);
                std::get<2>(r) = std::max(std::get<2>(r), p.y);
                std::get<4>(r) = p.y;
            } else {
                runs.emplace_back(p.x, p.y, p.y, p.y, p.y);
            }
        }
        lines.push_back(runs);
    }
    return lines;
}

class GraphCurvesTest : public ::testing::Test {
protected:
    void SetUp() override {
        x = doc.Clock();
        y = doc.Add("Y", {1, 1});
    }
    void Fill(std::int64_t n, double (*f)(std::int64_t)) {
        x->history.resize(n);
        y->history.resize(n);
        for (std::int64_t j = 0; j < n; ++j) {
            x->history[j] = static_cast<double>(j);
            y->history[j] = f(j);
        }
    }
    void Build(double xLow, double xHigh, double yLow, double yHigh, bool decimate = true) {
        curves.Build(*x, *y, static_cast<std::int64_t>(x->history.size()), Scale(xLow, xHigh), Scale(yLow, yHigh),
                     plot, 2.0, decimate);
    }

    test::ViewTestDoc doc;
    CBlock *x, *y;
    PlotArea plot{40.0, 10.0, 1320.0, 910.0};  // 1280 x 900
    CurvePolylines curves;
};

TEST_F(GraphCurvesTest, ReducedCurveCoversWhatEverySegmentCovers) {
    // A noisy signal of 200,000 samples, some of it beyond the scale on both sides.
    Fill(200000, [](std::int64_t j) {
        std::uint32_t h = static_cast<std::uint32_t>(j) * 2654435761u;
        h ^= h >> 13;
        return std::sin(j * 1e-4) * 1.3 + (h % 1000) / 2500.0 - 0.2;
    });
    for (const auto& [xLow, xHigh] : {std::pair{0.0, 200000.0}, std::pair{10000.5, 10766.0}}) {
        SCOPED_TRACE(xLow);
        CurvePolylines full;
        full.Build(*x, *y, 200000, Scale(xLow, xHigh), Scale(-1, 1), plot, 2.0, false);
        Build(xLow, xHigh, -1, 1);
        ASSERT_GT(full.PolylineCount(), 1u);  // it leaves and re-enters the plot
        EXPECT_EQ(Coverage(curves), Coverage(full));
        EXPECT_LE(curves.PointCount(), 4 * 1300 + 4 * curves.PolylineCount());
        for (std::size_t i = 0; i < curves.PolylineCount(); ++i)
            for (const CurvePoint& p : curves.Polyline(i)) {
                ASSERT_GE(p.x, plot.left - 3);
                ASSERT_LE(p.x, plot.right + 3);
                ASSERT_GE(p.y, plot.top - 3);
                ASSERT_LE(p.y, plot.bottom + 3);
                ASSERT_EQ(p.x, std::trunc(p.x));
            }
    }
    // Zoomed in, only the visible samples and one beyond each end are read.
    EXPECT_EQ(curves.LastRange().first, 10000);
    EXPECT_EQ(curves.LastRange().last, 10768);
}

// The reduction of every point, done plainly: per run of one column within a polyline, the
// first point, the first lowest, the first highest and the last, in sample order, each once.
std::vector<std::vector<CurvePoint>> Reduced(const CurvePolylines& full) {
    std::vector<std::vector<CurvePoint>> lines;
    for (std::size_t i = 0; i < full.PolylineCount(); ++i) {
        const auto line = full.Polyline(i);
        std::vector<CurvePoint> kept;
        for (std::size_t a = 0; a < line.size();) {
            std::size_t b = a, low = a, high = a;
            for (; b < line.size() && line[b].x == line[a].x; ++b) {
                if (line[b].y < line[low].y) low = b;
                if (line[b].y > line[high].y) high = b;
            }
            std::vector<std::size_t> at{a, low, high, b - 1};
            std::sort(at.begin(), at.end());
            at.erase(std::unique(at.begin(), at.end()), at.end());
            for (std::size_t k : at) kept.push_back(line[k]);
            a = b;
        }
        lines.push_back(kept);
    }
    return lines;
}

std::vector<std::vector<CurvePoint>> Lines(const CurvePolylines& curves) {
    std::vector<std::vector<CurvePoint>> lines;
    for (std::size_t i = 0; i < curves.PolylineCount(); ++i) {
        const auto line = curves.Polyline(i);
        lines.emplace_back(line.begin(), line.end());
    }
    return lines;
}

TEST_F(GraphCurvesTest, ReducedCurveKeepsExactlyTheColumnExtremes) {
    // Signals that take every way through the reduction: long runs inside the plot, runs
    // beyond one edge, crossings, gaps, far values, and a curve shorter than the clock.
    struct Case {
        const char* name;
        double (*f)(std::int64_t);
        std::int64_t yLength;  // of 300,000
        bool swingingX = false;  // X goes back and forth instead of rising
    };
    const Case cases[] = {
        {"noise crossing both edges",
         [](std::int64_t j) {
             std::uint32_t h = static_cast<std::uint32_t>(j) * 2654435761u;
             h ^= h >> 15;
             return std::sin(j * 3e-5) * 1.4 + (h % 1000) / 2000.0 - 0.25;
         },
         300000},
        {"steps with ties", [](std::int64_t j) { return ((j / 7) % 5) * 0.3 - 0.6; }, 300000},
        {"gaps and far spikes",
         [](std::int64_t j) {
             if (j % 4099 == 0) return kNaN;
             if (j % 5003 == 0) return (j % 2 ? 1e300 : -kInf);
             return std::cos(j * 1e-3) * 0.9;
         },
         300000},
        {"shorter than the clock", [](std::int64_t j) { return std::sin(j * 1e-4) * 0.5 + 0.7; }, 123457},
        {"steps against a swinging X", [](std::int64_t j) { return ((j / 5) % 3) * 0.7 - 0.7; }, 300000, true},
    };
    for (const Case& c : cases) {
        Fill(300000, c.f);
        if (c.swingingX)
            for (std::int64_t j = 0; j < 300000; ++j) x->history[j] = 150000 + 150000 * std::sin(j * 1e-3);
        y->history.resize(static_cast<std::size_t>(c.yLength));
        for (const auto& [xLow, xHigh] : {std::pair{0.0, 300000.0}, std::pair{1234.5, 99999.0},
                                          std::pair{150000.0, 150600.0}}) {
            SCOPED_TRACE(std::string(c.name) + " from " + std::to_string(xLow));
            CurvePolylines full;
            full.Build(*x, *y, 300000, Scale(xLow, xHigh), Scale(-1, 1), plot, 2.5, false);
            curves.Build(*x, *y, 300000, Scale(xLow, xHigh), Scale(-1, 1), plot, 2.5, true);
            EXPECT_EQ(Lines(curves), Reduced(full));
        }
    }
}

TEST_F(GraphCurvesTest, NonFiniteSamplesBreakTheCurve) {
    Fill(12, [](std::int64_t j) { return static_cast<double>(j % 3); });
    y->history[4] = kNaN;
    y->history[8] = kInf;
    x->history[10] = -kInf;
    Build(0, 11, 0, 2, false);
    ASSERT_EQ(curves.PolylineCount(), 2u);  // 0..3 and 5..7; 9 stands alone, 11 too
    EXPECT_EQ(curves.Polyline(0).size(), 4u);
    EXPECT_EQ(curves.Polyline(1).size(), 3u);
    EXPECT_EQ(curves.Polyline(1)[0], (CurvePoint{40.0 + std::trunc(5 * 1280.0 / 11), 910.0 - 900.0}));
}

TEST_F(GraphCurvesTest, FarValuesAreClippedAlongTheirTrueDirection) {
    // Each row: the values of three samples on a 0..10 scale both ways, and the points the
    // clipped segments must hit (x and y, whole units).
    struct Case {
        const char* name;
        double y[3];
        std::size_t polylines;
    };
    const Case cases[] = {
        {"spike far above", {5.0, 1e300, 5.0}, 2},
        {"from far below to far above", {-1e300, 1e300, 5.0}, 2},
        {"from above the plot to far below", {25.0, -1e300, 5.0}, 2},
        {"huge but finite differences", {-1.7e308, 1.7e308, -1.7e308}, 2},
        {"entirely above", {1e9, 2e9, 3e9}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        x->history = {0.0, 5.0, 10.0};
        y->history = {c.y[0], c.y[1], c.y[2]};
        Build(0, 10, 0, 10, false);
        EXPECT_EQ(curves.PolylineCount(), c.polylines);
        for (std::size_t i = 0; i < curves.PolylineCount(); ++i)
            for (const CurvePoint& p : curves.Polyline(i)) {
                EXPECT_TRUE(p.y >= plot.top - 3 && p.y <= plot.bottom + 3) << p.y;
                EXPECT_TRUE(p.x >= plot.left - 3 && p.x <= plot.right + 3) << p.x;
            }
    }
    // A segment from (0, 5) up to (5, 1e300) leaves the plot at its top almost straight up.
    x->history = {0.0, 5.0};
    y->history = {5.0, 1e300};
    Build(0, 10, 0, 10, false);
    ASSERT_EQ(curves.PolylineCount(), 1u);
    EXPECT_EQ(curves.Polyline(0)[0], (CurvePoint{40.0, 460.0}));
    EXPECT_EQ(curves.Polyline(0)[1], (CurvePoint{40.0, 8.0}));
}

TEST_F(GraphCurvesTest, ASegmentFromBesideToAboveThePlotCrossesItsCorner) {
    // Beyond the top left corner, then left of the plot, then above it: the second segment
    // cuts through the plot's corner although each of its ends lies beyond an edge. (X falls
    // at the end, so every sample is read.)
    x->history = {-1.0, -0.5, 2.0, 1.5};
    y->history = {11.0, 8.0, 10.5, 10.5};
    for (bool decimate : {false, true}) {
        Build(0, 10, 0, 10, decimate);
        ASSERT_EQ(curves.PolylineCount(), 1u);
        EXPECT_EQ(curves.Polyline(0).size(), 2u);
    }
}

TEST(GraphCurveSearch, VisibleRangeAndNearestSample) {
    test::ViewTestDoc doc;
    CBlock* x = doc.Clock();
    x->history = {0.0, 1.0, 2.0, 2.0, 3.0, 4.0, 5.0};
    EXPECT_TRUE(SamplesRise(x->history, 7));
    EXPECT_FALSE(SamplesRise(x->history, 8));  // beyond the end the samples read 0
    EXPECT_FALSE(SamplesRise({0.0, kNaN, 2.0}, 3));
    EXPECT_FALSE(SamplesRise({0.0, 2.0, 1.0}, 3));
    const SampleRange r = VisibleSampleRange(x->history, 7, 2.5, 3.5);
    EXPECT_EQ(r.first, 3);
    EXPECT_EQ(r.last, 6);
    const SampleRange all = VisibleSampleRange(x->history, 7, -10, 10);
    EXPECT_EQ(all.first, 0);
    EXPECT_EQ(all.last, 7);
    for (bool rising : {true, false}) {
        EXPECT_EQ(NearestSample(*x, 7, 3.4, rising), 4);
        EXPECT_EQ(NearestSample(*x, 7, 3.5, rising), 4);
        EXPECT_EQ(NearestSample(*x, 7, -9, rising), 0);
        EXPECT_EQ(NearestSample(*x, 7, 99, rising), 6);
        EXPECT_EQ(NearestSample(*x, 0, 1, rising), -1);
    }
    const CurveMapping map(Scale(0, 10), Scale(-1, 1), PlotArea{0, 0, 100, 50});
    EXPECT_DOUBLE_EQ(map.X(2.5), 25.0);
    EXPECT_DOUBLE_EQ(map.Y(0.5), 12.5);
    EXPECT_DOUBLE_EQ(map.XValue(25.0), 2.5);
    EXPECT_DOUBLE_EQ(map.YValue(12.5), 0.5);
    EXPECT_EQ(ToDevicePixel(map.X(1e300)), 10'000'000);
    EXPECT_EQ(ToDevicePixel(map.Y(-kInf)), 10'000'000);
    EXPECT_EQ(ToDevicePixel(-12.7), -12);
    EXPECT_EQ(ToDevicePixel(kNaN), 0);
}

}  // namespace
}  // namespace ondrel
