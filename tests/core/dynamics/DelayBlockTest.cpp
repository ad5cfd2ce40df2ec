#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "DynamicsTestSupport.h"
#include "core/blocks/DelayBlock.h"
#include "core/blocks/Spline.h"

namespace ondrel::test {
namespace {

class DelayBlockTest : public DynamicsTest {
protected:
    DelayBlockTest() {
        delay = Make<CDelayBlock>(kTypeDelay);
        in = &Connect(*delay, 1, 0.0);
        doc.outputInterval = 0.1;
        delay->ClearHistory();
        delay->Setup();
    }

    // The natural spline through (times, values), at x.
    static double SplineThrough(const std::vector<double>& times,
                                const std::vector<double>& values, double x) {
        const std::vector<double> y2 = SplineSecondDerivatives(values, times);
        return SplineEvaluate(values, times, y2, x);
    }

    std::unique_ptr<CDelayBlock> delay;
    SourceBlock* in = nullptr;
};

TEST_F(DelayBlockTest, PassesThroughWithoutDelayAndGivesTheInitialValueBeforeIt) {
    in->value = 3.0;
    delay->param[2] = 0.0;
    EXPECT_EQ(ComputeAt(*delay, 0.4), 3.0);
    delay->param[2] = 0.5;
    delay->param[3] = -4.0;
    EXPECT_EQ(ComputeAt(*delay, 0.2), -4.0);
    Connect(*delay, 3, 6.0);  // a connected initial value replaces parameter 3
    EXPECT_EQ(ComputeAt(*delay, 0.2), 6.0);
    Connect(*delay, 2, 0.1);  // a connected delay replaces parameter 2
    EXPECT_EQ(ComputeAt(*delay, 0.05), 6.0);
    delay->inputRecord = {1.0};
    EXPECT_EQ(ComputeAt(*delay, 0.1), 1.0);
}

TEST_F(DelayBlockTest, GainScalesTheOutputButNotTheRecordedInput) {
    delay->param[1] = 2.0;
    delay->param[2] = 0.0;
    in->value = 3.0;
    EXPECT_EQ(ComputeAt(*delay, 0.0), 6.0);
    delay->RecordSample();
    EXPECT_EQ(delay->inputRecord, std::vector<double>{3.0});
    EXPECT_EQ(delay->history, std::vector<double>{6.0});
    delay->param[2] = 1.0;
    delay->param[3] = 1.5;
    EXPECT_EQ(ComputeAt(*delay, 0.5), 3.0);
    delay->ClearHistory();
    EXPECT_TRUE(delay->inputRecord.empty());
    EXPECT_TRUE(delay->history.empty());
}

TEST_F(DelayBlockTest, ShortDelayInterpolatesBetweenTheNeighbouringSamples) {
    // D = 0.15 with samples 0 and 0.1 recorded at t = 0.2: the delayed time 0.05 lies
    // halfway between them.
    delay->param[2] = 0.15;
    delay->inputRecord = {2.0, 4.0};
    in->value = 100.0;
    EXPECT_NEAR(ComputeAt(*delay, 0.2), 3.0, 1e-12);

    // D < the output interval: samples 0, 0.1, 0.2 recorded.
    delay->param[2] = 0.05;
    delay->inputRecord = {0.0, 1.0, 3.0};
    EXPECT_NEAR(ComputeAt(*delay, 0.23), 1.0 + 2.0 * 0.8, 1e-12);
    // Past the last recorded sample the current input at t is the other end.
    in->value = 11.0;
    EXPECT_NEAR(ComputeAt(*delay, 0.28), 3.0 + 8.0 * (0.03 / 0.08), 1e-12);
}

TEST_F(DelayBlockTest, LongDelayFitsASplineThroughTheSamplesAroundTheDelayedTime) {
    delay->param[2] = 0.25;  // two samples after the delayed time, two before
    delay->inputRecord = {0, 1, 4, 9, 16, 25, 36, 49};
    in->value = 64.0;
    const double expected =
        SplineThrough({0.4, 0.5, 0.6, 0.7}, {16, 25, 36, 49}, 0.78 - 0.25);
    EXPECT_NEAR(ComputeAt(*delay, 0.78), expected, 1e-9);
    EXPECT_GT(std::fabs(expected - 28.3), 0.05) << "differs from the straight line";

    delay->param[2] = 0.15;  // one sample after, two before
    EXPECT_NEAR(ComputeAt(*delay, 0.78),
                SplineThrough({0.5, 0.6, 0.7}, {25, 36, 49}, 0.78 - 0.15), 1e-9);
}

TEST_F(DelayBlockTest, NeverReadsASampleThatIsNotRecorded) {
    // Samples 0..0.4 recorded; the table wants sample 5, which the current input replaces.
    delay->param[2] = 0.15;
    delay->inputRecord = {0, 1, 4, 9, 16};
    in->value = 36.0;
    const double first = ComputeAt(*delay, 0.6);
    EXPECT_NEAR(first, SplineThrough({0.3, 0.4, 0.6}, {9, 16, 36}, 0.45), 1e-9);
    in->value = 30.0;
    EXPECT_NE(ComputeAt(*delay, 0.6), first);

    // Two points would stand at the current time: the linear rule takes over.
    delay->inputRecord = {0, 1, 4, 9};
    EXPECT_NEAR(ComputeAt(*delay, 0.6), 9.0 + (30.0 - 9.0) * 0.5, 1e-12);

    // Nothing recorded at all: the current input.
    delay->inputRecord.clear();
    EXPECT_EQ(ComputeAt(*delay, 0.6), 30.0);
}

// A run over 2 time units: the input is sin t, sampled at every output instant and
// evaluated at four points per interval; the output must follow sin(t - D).
TEST_F(DelayBlockTest, FollowsTheDelayedSignalOverARunForEveryDelay) {
    for (double d : {0.05, 0.1, 0.15, 0.2, 0.25, 0.35, 1.0}) {
        delay->param[2] = d;
        delay->param[3] = 0.0;
        delay->ClearHistory();
        delay->Setup();
        run.SetTime(0.0);
        in->value = 0.0;
        delay->Compute();
        delay->RecordSample();
        double worst = 0.0;
        for (int interval = 1; interval <= 20; ++interval) {
            for (int quarter = 1; quarter <= 4; ++quarter) {
                const double t = 0.1 * (interval - 1) + 0.025 * quarter;
                in->value = std::sin(t);
                const double out = ComputeAt(*delay, t);
                const double expected = t < d ? 0.0 : std::sin(t - d);
                worst = std::max(worst, std::fabs(out - expected));
            }
            delay->RecordSample();
        }
        EXPECT_LT(worst, 2e-3) << "delay " << d;
        EXPECT_EQ(delay->inputRecord.size(), 21u);
    }
}

}  // namespace
}  // namespace ondrel::test
