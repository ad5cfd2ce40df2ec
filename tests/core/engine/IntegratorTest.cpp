#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <numeric>
#include <regex>
#include <string>

#include "core/engine/RunDriver.h"
#include "core/engine/RungeKuttaPairs.h"
#include "engine/EngineTestSupport.h"

namespace ondrel {
namespace {

using test::EngineTest;

struct PairCase {
    const char* name;
    int stages;
    double grow;
    double shrink;
    int order;  // of the solution that is advanced
    std::function<std::unique_ptr<CIntegrator>(int, RunState&)> make;
};

const PairCase kPairs[] = {
    {"4/5", 6, 0.2, 0.25, 5,
     [](int n, RunState& r) { return std::make_unique<CRungeKutta45>(n, r); }},
    {"7/8", 13, 0.125, 1.0 / 7.0, 8,
     [](int n, RunState& r) { return std::make_unique<CRungeKutta78>(n, r); }},
};

class IntegratorTest : public EngineTest {
protected:
    // A single state y' = gain * y from y(0) = 1, sorted as a run would sort it.
    CBlock* SelfFedIntegrate(double gain) {
        CBlock* y = AddIntegrate(gain, 1.0);
        Wire(y, 1, y);
        EXPECT_TRUE(SortForRun());
        return y;
    }
    // The run the integrators of a test belong to: made, its lists sorted, once the chart is
    // built (a block added later would not see it).
    bool SortForRun() {
        run_.reset();
        run_ = std::make_unique<RunState>(doc);
        return SortBlocks(doc, *run_);
    }
    RunState& Run() {
        if (!run_) run_ = std::make_unique<RunState>(doc);
        return *run_;
    }
    // Prepares the document the way the run driver does before its first Step.
    void StartInterval() {
        Run().stopped = false;
        Run().intervalStart = 0.0;
        Run().SetTime(0.0);
        for (CBlock* state : Run().stateList) state->Setup();
    }

private:
    std::unique_ptr<RunState> run_;
};

TEST_F(IntegratorTest, TableauIsConsistent) {
    for (const PairCase& pair : kPairs) {
        SCOPED_TRACE(pair.name);
        auto rk = pair.make(0, Run());
        ASSERT_EQ(rk->s, pair.stages);
        EXPECT_EQ(rk->growExponent, pair.grow);
        EXPECT_EQ(rk->shrinkExponent, pair.shrink);
        EXPECT_EQ(rk->safety, 0.9);
        EXPECT_EQ(rk->errorLimit, 1e-7);  // from the Clock
        for (int j = 0; j < rk->s; ++j) {
            double rowSum = 0.0;
            for (int m = 0; m < rk->s; ++m) {
                const double coefficient = rk->a[j * rk->s + m];
                if (m >= j) {
                    EXPECT_EQ(coefficient, 0.0) << "row " << j << " column " << m;
                }
                rowSum += coefficient;
            }
            EXPECT_NEAR(rowSum, rk->c[j], 1e-14) << "row " << j;
        }
        EXPECT_NEAR(std::accumulate(rk->b.begin(), rk->b.end(), 0.0), 1.0, 1e-15);
        EXPECT_NEAR(std::accumulate(rk->e.begin(), rk->e.end(), 0.0), 0.0, 1e-15);
    }
}

// One accepted step of y' = -y: the local error falls with the pair's order, which only a
// tableau without a wrong coefficient achieves.
TEST_F(IntegratorTest, LocalErrorShrinksWithTheOrderOfThePair) {
    Clock().param[1] = 1.0;  // every step accepted
    CBlock* y = SelfFedIntegrate(-1.0);
    for (const PairCase& pair : kPairs) {
        SCOPED_TRACE(pair.name);
        auto rk = pair.make(1, Run());
        double errors[2];
        const double steps[2] = {0.4, 0.2};
        for (int i = 0; i < 2; ++i) {
            StartInterval();
            ASSERT_EQ(rk->Step(steps[i], steps[i]), steps[i]);
            errors[i] = std::fabs(y->value - std::exp(-steps[i]));
        }
        // Local error ~ h^(order + 1): halving the step divides it by 2^(order + 1).
        const double expectedRatio = std::pow(2.0, pair.order + 1);
        EXPECT_GT(errors[0] / errors[1], 0.6 * expectedRatio);
        EXPECT_LT(errors[0] / errors[1], 1.6 * expectedRatio);
    }
}

TEST_F(IntegratorTest, MaxErrorIsNotFiniteAsSoonAsOneStateSumIsNot) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double first, second;  // stage-0 increments of the two states
        double expected;       // NaN: expect NaN
    };
    const Case cases[] = {
        {2.0, -3.0, 3.0}, {nan, 5.0, nan}, {5.0, nan, nan}, {inf, 1.0, inf}, {1.0, -inf, inf},
    };
    SelfFedIntegrate(-1.0);
    SelfFedIntegrate(-1.0);
    CRungeKutta45 rk(2, Run());
    rk.e.assign(rk.e.size(), 0.0);
    rk.e[0] = 1.0;
    for (const Case& c : cases) {
        rk.k[0] = c.first;
        rk.k[1] = c.second;
        const double err = rk.MaxError();
        if (std::isnan(c.expected)) {
            EXPECT_TRUE(std::isnan(err)) << c.first << ", " << c.second;
        } else {
            EXPECT_EQ(err, c.expected) << c.first << ", " << c.second;
        }
    }
}

TEST_F(IntegratorTest, NextStepSizeGrowsWithinTheLimitAndShrinksBeyondIt) {
    CRungeKutta45 rk(0, Run());
    EXPECT_EQ(rk.NextStepSize(0.0, 0.1), std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(rk.NextStepSize(1e-7, 0.1), 0.09);
    EXPECT_DOUBLE_EQ(rk.NextStepSize(1e-7 / 32.0, 0.1), 0.9 * 0.1 * 2.0);  // 32^0.2
    EXPECT_DOUBLE_EQ(rk.NextStepSize(16e-7, 0.1), 0.9 * 0.1 * 0.5);       // 16^-0.25
}

// A constant derivative has no error beyond rounding: the first step proposes a size far
// beyond the interval, which the interval end clips, so the interval takes two attempts
// whatever its first step.
TEST_F(IntegratorTest, ZeroErrorGrowsTheStepToTheRestOfTheInterval) {
    CBlock* y = AddIntegrate(1.0, 0.0);
    Wire(y, 1, AddConstant(2.0));
    ASSERT_TRUE(SortForRun());
    for (CBlock* block : Run().initList) block->Setup();
    for (const PairCase& pair : kPairs) {
        SCOPED_TRACE(pair.name);
        auto rk = pair.make(1, Run());
        StartInterval();
        EXPECT_NEAR(rk->Step(0.01, 0.1), 0.09, 1e-15);
        EXPECT_NEAR(y->value, 0.2, 1e-15);
        EXPECT_EQ(CountOutput().value, 2.0);
        EXPECT_LT(ErrorOutput().value, 1e-16);  // the error weights cancel up to rounding
        EXPECT_EQ(Clock().value, 0.1);  // the final evaluation sits on the interval end
        EXPECT_TRUE(platform.messages.shown.empty());
    }
}

TEST_F(IntegratorTest, CountAndErrorDescribeTheLastInterval) {
    Clock().param[1] = 1e-12;  // forces rejected attempts
    SelfFedIntegrate(-1.0);
    CRungeKutta45 rk(1, Run());
    StartInterval();
    ASSERT_GT(rk.Step(0.1, 0.1), 0.0);
    EXPECT_GE(CountOutput().value, 2.0);
    EXPECT_EQ(CountOutput().value, std::floor(CountOutput().value));
    EXPECT_GT(ErrorOutput().value, 0.0);
    EXPECT_LT(ErrorOutput().value, 1e-12);

    // With every attempt accepted at once, "Error" is that attempt's estimate.
    Clock().param[1] = 1.0;
    CRungeKutta45 lenient(1, Run());
    StartInterval();
    ASSERT_EQ(lenient.Step(0.1, 0.1), 0.1);
    EXPECT_EQ(CountOutput().value, 1.0);
    EXPECT_EQ(ErrorOutput().value, lenient.MaxError());
    EXPECT_GT(ErrorOutput().value, 0.0);
}

TEST_F(IntegratorTest, StopRequestEndsTheStepWithoutAMessage) {
    SelfFedIntegrate(-1.0);
    CRungeKutta78 rk(1, Run());
    StartInterval();
    Run().stopped = true;
    EXPECT_EQ(rk.Step(0.1, 0.1), 0.0);
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(IntegratorTest, ExcessiveStepCountNeverLeavesTheIntRange) {
    SelfFedIntegrate(-1.0);
    CRungeKutta45 rk(1, Run());
    StartInterval();
    EXPECT_EQ(rk.Step(0.1, 1e300), 0.0);
    const auto& message = platform.OnlyMessage();
    const std::regex expected(R"(Excessive integration steps \(2147483647\) at time 0\.0875)");
    EXPECT_TRUE(std::regex_match(message.text, expected)) << message.text;
    EXPECT_EQ(message.caption, "RunTime Error");
    EXPECT_EQ(message.icon, MsgIcon::Error);
}

}  // namespace
}  // namespace ondrel
