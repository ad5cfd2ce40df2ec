#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "core/blocks/Spline.h"

namespace ondrel {
namespace {

TEST(Spline, ThreeEvenPointsHaveTheKnownCurvature) {
    const std::vector<double> x{0.0, 0.5, 1.0};
    const std::vector<double> y{0.0, 1.0, 0.0};
    const std::vector<double> y2 = SplineSecondDerivatives(y, x);
    EXPECT_EQ(y2, (std::vector<double>{0.0, -12.0, 0.0}));
    EXPECT_EQ(SplineEvaluate(y, x, y2, 0.5), 1.0);
    EXPECT_DOUBLE_EQ(SplineEvaluate(y, x, y2, 0.25), 0.6875);
    EXPECT_DOUBLE_EQ(SplineEvaluate(y, x, y2, 0.75), 0.6875);
}

TEST(Spline, PassesThroughEveryPointAndIsNaturalAtTheEnds) {
    const std::vector<double> x{-1.0, 0.0, 0.5, 2.0, 3.5, 4.0};
    const std::vector<double> y{3.0, -1.0, 2.0, 0.5, 7.0, 6.0};
    const std::vector<double> y2 = SplineSecondDerivatives(y, x);
    EXPECT_EQ(y2.front(), 0.0);
    EXPECT_EQ(y2.back(), 0.0);
    for (std::size_t i = 0; i < x.size(); ++i) {
        EXPECT_NEAR(SplineEvaluate(y, x, y2, x[i]), y[i], 1e-12) << "point " << i;
    }
    // The first derivative is continuous at every inner point.
    const double h = 1e-7;
    for (std::size_t i = 1; i + 1 < x.size(); ++i) {
        const double left = (y[i] - SplineEvaluate(y, x, y2, x[i] - h)) / h;
        const double right = (SplineEvaluate(y, x, y2, x[i] + h) - y[i]) / h;
        EXPECT_NEAR(left, right, 1e-4) << "point " << i;
    }
}

TEST(Spline, DegenerateSizesDoNotReadOutOfRange) {
    const std::vector<double> one{5.0};
    EXPECT_EQ(SplineSecondDerivatives(one, one), std::vector<double>{0.0});
    EXPECT_EQ(SplineEvaluate(one, one, one, 3.0), 5.0);
    const std::vector<double> none;
    EXPECT_EQ(SplineEvaluate(none, none, none, 3.0), 0.0);
    // Two points: a straight line.
    const std::vector<double> x{1.0, 3.0};
    const std::vector<double> y{2.0, 6.0};
    const std::vector<double> y2 = SplineSecondDerivatives(y, x);
    EXPECT_EQ(SplineEvaluate(y, x, y2, 2.0), 4.0);
}

TEST(Spline, StrictlyIncreasingRejectsTiesDropsAndNaN) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        std::vector<double> x;
        bool increasing;
    };
    const Case cases[] = {
        {{}, true},          {{1.0}, true},           {{0.0, 0.1, 0.3}, true},
        {{0.0, 0.0}, false}, {{0.0, 0.2, 0.1}, false}, {{0.0, nan, 1.0}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(StrictlyIncreasing(c.x), c.increasing);
}

}  // namespace
}  // namespace ondrel
