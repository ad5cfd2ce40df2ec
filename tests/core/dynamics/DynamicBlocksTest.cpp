#include <gtest/gtest.h>

#include <cmath>

#include "DynamicsTestSupport.h"
#include "core/blocks/DynamicBlocks.h"

namespace ondrel::test {
namespace {

using DynamicBlocksTest = DynamicsTest;

TEST_F(DynamicBlocksTest, DecayApproachesTheAsymptoteFromTheLastRecordedSample) {
    auto decay = Make<CDecayBlock>(kTypeDecay);
    decay->param[1] = 5.0;   // asymptote
    decay->param[2] = -2.0;  // approach rate: only its size counts
    decay->param[3] = 1.0;   // initial value
    decay->ClearHistory();
    decay->Setup();
    EXPECT_EQ(decay->value, 1.0);
    EXPECT_EQ(ComputeAt(*decay, 0.0), 1.0) << "empty history: the initial value";
    decay->RecordSample();

    const double at02 = 1.0 + 4.0 * (1.0 - std::exp(-0.1));
    EXPECT_DOUBLE_EQ(ComputeAt(*decay, 0.2), at02);
    decay->RecordSample();
    EXPECT_EQ(decay->lastRecordTime, 0.2);
    // Restarted from the sample recorded at 0.2.
    EXPECT_DOUBLE_EQ(ComputeAt(*decay, 0.4), at02 + (5.0 - at02) * (1.0 - std::exp(-0.1)));

    decay->param[2] = 1e-3;  // 1000 time constants: beyond the cut-off
    EXPECT_EQ(ComputeAt(*decay, 1.2), 5.0);
    decay->param[2] = 0.0;
    EXPECT_EQ(ComputeAt(*decay, 0.3), 5.0) << "a zero rate arrives at once";
}

TEST_F(DynamicBlocksTest, BackLashMovesOnlyWhenTheInputLeavesThePlayBand) {
    struct Step {
        double in;
        double out;
    };
    struct Case {
        double distribution;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {0.0, {{0.5, 0.0}, {3.0, 2.0}, {2.5, 2.0}, {0.5, 1.5}, {1.0, 1.5}, {-1.0, 0.0}}},
        // All the play above the held value.
        {1.0, {{1.5, 0.0}, {-0.5, -0.5}, {1.5, -0.5}, {2.0, 0.0}}},
        // All below.
        {-1.0, {{-1.5, 0.0}, {0.5, 0.5}, {-1.5, 0.5}, {-2.0, 0.0}}},
    };
    for (const Case& c : cases) {
        auto lash = Make<CBackLashBlock>(kTypeBackLash);
        lash->param[1] = c.distribution;
        lash->param[2] = -2.0;  // the width is taken as its size
        lash->param[3] = 0.0;
        SourceBlock& in = Connect(*lash, 1, 0.0);
        lash->Setup();
        for (const Step& s : c.steps) {
            in.value = s.in;
            EXPECT_EQ(ComputeAt(*lash, 0.0), s.out)
                << "distribution " << c.distribution << ", input " << s.in;
        }
    }
}

TEST_F(DynamicBlocksTest, BackLashClampsItsDistributionAtSetup) {
    auto lash = Make<CBackLashBlock>(kTypeBackLash);
    Connect(*lash, 1, 0.0);
    Connect(*lash, 3, 4.0);  // initial value from input 3
    for (auto [given, clamped] : {std::pair{5.0, 1.0}, {-3.0, -1.0}, {0.25, 0.25}}) {
        lash->param[1] = given;
        lash->Setup();
        EXPECT_EQ(lash->param[1], clamped);
        EXPECT_EQ(lash->held, 4.0);
    }
}

TEST_F(DynamicBlocksTest, ZeroOrderHoldTracksAboveTheLimitAndHoldsOtherwise) {
    auto hold = Make<CZeroOrderHoldBlock>(kTypeZeroOrderHold);
    hold->param[1] = 7.0;  // initial hold
    hold->param[3] = 1.0;  // limit
    SourceBlock& sample = Connect(*hold, 1, 4.0);
    SourceBlock& toggle = Connect(*hold, 2, 1.0);
    hold->Setup();
    EXPECT_EQ(hold->param[2], 7.0);
    EXPECT_EQ(ComputeAt(*hold, 0.0), 7.0) << "a Switch equal to the Limit holds";
    toggle.value = 2.0;
    EXPECT_EQ(ComputeAt(*hold, 0.1), 4.0);
    EXPECT_EQ(hold->param[2], 4.0);
    toggle.value = 0.0;
    sample.value = 9.0;
    EXPECT_EQ(ComputeAt(*hold, 0.2), 4.0);
    Connect(*hold, 3, -1.0);  // a connected limit replaces parameter 3
    EXPECT_EQ(ComputeAt(*hold, 0.3), 9.0);
}

TEST_F(DynamicBlocksTest, OneShotNeedsArmingAndPulsesFromStartToEndInclusive) {
    auto shot = Make<COneShotBlock>(kTypeOneShot);
    shot->param[1] = 0.25;  // delay
    shot->param[2] = 3.0;   // height
    shot->param[3] = 0.5;   // width
    SourceBlock& trigger = Connect(*shot, 1, 1.0);
    shot->Setup();
    const struct {
        double t;
        double trigger;
        double out;
    } steps[] = {
        {0.0, 1, 0},    {0.125, 1, 0},  // positive from the start: not armed, no pulse
        {0.25, 0, 0},                   // arms
        {0.375, 1, 0},                  // fires: pulse from 0.625 to 1.125
        {0.5, 0, 0},    {0.625, 0, 3},  {1.0, 1, 3}, {1.125, 1, 3},  // the end itself is in
        {1.25, 1, 0},                   // over; the trigger is positive, so not re-armed
        {1.375, 0, 0},  {1.5, 1, 0},    {1.75, 1, 3},  // armed again, fires again
        {2.5, 0, 0},                    // past the end with the trigger low: re-armed
        {2.625, 1, 0},  {2.875, 1, 3},
    };
    for (const auto& s : steps) {
        trigger.value = s.trigger;
        EXPECT_EQ(ComputeAt(*shot, s.t), s.out) << "t = " << s.t;
    }
    EXPECT_EQ(shot->running, 1);
    EXPECT_EQ(shot->start, 2.875);
}

TEST_F(DynamicBlocksTest, OneShotTakesConnectedHeightAndWidth) {
    auto shot = Make<COneShotBlock>(kTypeOneShot);
    shot->param[1] = 0.0;
    SourceBlock& trigger = Connect(*shot, 1, 0.0);
    Connect(*shot, 2, -2.0);
    Connect(*shot, 3, 0.25);
    shot->Setup();
    ComputeAt(*shot, 0.0);
    trigger.value = 1.0;
    EXPECT_EQ(ComputeAt(*shot, 0.5), -2.0);
    EXPECT_EQ(ComputeAt(*shot, 0.75), -2.0);
    EXPECT_EQ(ComputeAt(*shot, 0.875), 0.0);
}

}  // namespace
}  // namespace ondrel::test
