// Runs whose samples have exact or analytic answers.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "core/engine/RunDriver.h"
#include "engine/EngineTestSupport.h"

namespace ondrel {
namespace {

class RunAccuracyTest : public test::EngineTest, public ::testing::WithParamInterface<int> {
protected:
    RunAccuracyTest() { doc.intStyle = GetParam(); }
};

// A constant integrand has no truncation error and every interval ends on its boundary.
TEST_P(RunAccuracyTest, ConstantIntegrandRecordsTheSampleTimes) {
    CBlock* y = AddIntegrate(1.0, 0.0);
    Wire(y, 1, AddConstant(1.0));
    RunChart(doc);
    EXPECT_TRUE(platform.messages.shown.empty());
    ASSERT_EQ(y->history.size(), 11u);
    for (std::size_t m = 0; m < y->history.size(); ++m) {
        EXPECT_NEAR(y->history[m], 0.1 * static_cast<double>(m), 1e-13) << m;
        EXPECT_NEAR(Clock().history[m], 0.1 * static_cast<double>(m), 1e-13) << m;
    }
}

TEST_P(RunAccuracyTest, DecayFollowsTheExponentialWithinTheErrorLimit) {
    CBlock* y = AddIntegrate(-1.0, 1.0);
    Wire(y, 1, y);
    RunChart(doc);
    EXPECT_TRUE(platform.messages.shown.empty());
    ASSERT_EQ(y->history.size(), 11u);
    EXPECT_EQ(y->history[0], 1.0);
    EXPECT_NEAR(y->history[1], std::exp(-0.1), 1e-7);
    for (std::size_t m = 1; m < y->history.size(); ++m) {
        EXPECT_NEAR(y->history[m], std::exp(-0.1 * static_cast<double>(m)), 1e-6) << m;
        EXPECT_GT(CountOutput().history[m], 0.0);
        EXPECT_LT(ErrorOutput().history[m], 1e-7);
    }
}

// x' = v, v' = -x through a Gain (two Integrates wired to each other directly would not
// sort): the energy x^2 + v^2 stays 1 over ten periods.
TEST_P(RunAccuracyTest, OscillatorKeepsItsEnergyOverTenPeriods) {
    CBlock* x = AddIntegrate(1.0, 1.0);
    CBlock* v = AddIntegrate(1.0, 0.0);
    CBlock* minusX = Add(kTypeGain);
    minusX->param[1] = -1.0;
    Wire(x, 1, v);
    Wire(minusX, 1, x);
    Wire(v, 1, minusX);
    SetTiming(1e-7, 0.1, 20.0 * std::numbers::pi);
    RunChart(doc);
    EXPECT_TRUE(platform.messages.shown.empty());
    ASSERT_EQ(x->history.size(), 629u);
    for (std::size_t m = 0; m < x->history.size(); ++m) {
        const double energy = x->history[m] * x->history[m] + v->history[m] * v->history[m];
        ASSERT_NEAR(energy, 1.0, 1e-6) << "sample " << m;
        const double t = Clock().history[m];
        ASSERT_NEAR(x->history[m], std::cos(t), 1e-6) << "sample " << m;
    }
}

// Every sum is taken in a fixed order, so a second run repeats the first to the last bit.
TEST_P(RunAccuracyTest, RunsRepeatBitForBit) {
    CBlock* y = AddIntegrate(-3.0, 1.0);
    CBlock* sine = Add(kTypeSine);
    Wire(sine, 1, &Clock());
    CBlock* sum = Add(kTypeSum);
    Wire(sum, 1, y);
    Wire(sum, 2, sine);
    Wire(y, 1, sum);
    RunChart(doc);
    const std::vector<double> first = y->history;
    RunChart(doc);
    EXPECT_EQ(y->history, first);
    EXPECT_EQ(first.size(), 11u);
}

INSTANTIATE_TEST_SUITE_P(BothPairs, RunAccuracyTest, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param == 0 ? "RK45" : "RK78"; });

// Only a damaged or foreign file holds another style: it integrates with the 4/5 pair.
TEST(RunIntStyle, UnknownStyleIntegratesWithTheFourFivePair) {
    struct Chart : test::EngineTest {
        void TestBody() override {}
        std::vector<double> Run(int style) {
            doc.intStyle = style;
            CBlock* y = AddIntegrate(-1.0, 1.0);
            Wire(y, 1, y);
            RunChart(doc);
            return y->history;
        }
    };
    Chart fourFive, unknown, sevenEight;
    const std::vector<double> expected = fourFive.Run(0);
    EXPECT_EQ(unknown.Run(7), expected);
    EXPECT_NE(sevenEight.Run(1), expected);
    EXPECT_NE(expected[10], 1.0);
}

}  // namespace
}  // namespace ondrel
