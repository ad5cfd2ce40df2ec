#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "DynamicsTestSupport.h"
#include "core/blocks/Generators.h"
#include "core/blocks/RandomSource.h"

namespace ondrel::test {
namespace {

constexpr double kTwoPi = 6.283185307179586;

class GeneratorsTest : public DynamicsTest {
protected:
    // One run of block: Setup, then Compute at times 0, 0.1, ...
    std::vector<double> RunOnce(CBlock& block, int evaluations) {
        block.Setup();
        std::vector<double> out;
        for (int i = 0; i < evaluations; ++i) out.push_back(ComputeAt(block, 0.1 * i));
        return out;
    }
};

TEST_F(GeneratorsTest, SeededRandomRepeatsRunAfterRunAndTimeSeededDoesNot) {
    auto random = Make<CRandomBlock>(kTypeRandom);
    random->param[3] = 7.0;
    const std::vector<double> first = RunOnce(*random, 5);
    EXPECT_EQ(RunOnce(*random, 5), first);
    const double expected[] = {61, 17422, 15215, 7040, 15521};
    for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(first[i], expected[i] / 32767.0);

    random->param[3] = 1.0;  // the default: seeded from the clock
    platform.clock.seconds = 1000;
    const std::vector<double> a = RunOnce(*random, 5);
    platform.clock.seconds = 1001;
    EXPECT_NE(RunOnce(*random, 5), a);
}

TEST_F(GeneratorsTest, RandomTakesConnectedLimitsAndItsSwitch) {
    auto random = Make<CRandomBlock>(kTypeRandom);
    random->param[3] = 7.0;
    Connect(*random, 1, 10.0);
    Connect(*random, 2, 20.0);
    random->Setup();
    EXPECT_DOUBLE_EQ(ComputeAt(*random, 0.0), 10.0 + 10.0 * 61 / 32767.0);

    SourceBlock& toggle = Connect(*random, 3, -1.0);
    const std::uint32_t before = RandomSourceState();
    for (double t : {0.1, 0.2, 0.3}) EXPECT_EQ(ComputeAt(*random, t), 0.0);
    EXPECT_EQ(RandomSourceState(), before) << "an idle generator draws nothing";
    toggle.value = 0.0;  // not below zero: on
    EXPECT_DOUBLE_EQ(ComputeAt(*random, 0.4), 10.0 + 10.0 * 17422 / 32767.0);
}

TEST_F(GeneratorsTest, GaussianCombinesTwoDrawsAndNeverTakesTheLogOfZero) {
    auto gaussian = Make<CGaussianBlock>(kTypeGaussian);
    gaussian->param[3] = 7.0;
    Connect(*gaussian, 1, 2.0);  // mean
    Connect(*gaussian, 2, 3.0);  // standard deviation
    gaussian->Setup();
    const double z = std::sqrt(std::fabs(2.0 * std::log(17422 / 32767.0))) *
                     std::cos(kTwoPi * (61 / 32767.0));
    EXPECT_DOUBLE_EQ(ComputeAt(*gaussian, 0.0), 2.0 + 3.0 * z);

    // From this state the second draw is 0; it counts as 1.
    SeedRandomSource(2485672315u);
    const double zero = std::sqrt(std::fabs(2.0 * std::log(1 / 32767.0))) *
                        std::cos(kTwoPi * (2019 / 32767.0));
    const double out = ComputeAt(*gaussian, 0.1);
    EXPECT_TRUE(std::isfinite(out));
    EXPECT_DOUBLE_EQ(out, 2.0 + 3.0 * zero);

    Connect(*gaussian, 3, -0.5);
    EXPECT_EQ(ComputeAt(*gaussian, 0.2), 0.0);
}

TEST_F(GeneratorsTest, JitterWithEqualTimesPulsesJustAfterEachPeriod) {
    auto jitter = Make<CJitterBlock>(kTypeJitter);
    jitter->param[1] = 0.25;
    jitter->param[2] = 0.25;
    jitter->param[3] = 7.0;
    jitter->Setup();
    EXPECT_EQ(jitter->nextTime, 0.25);
    // Measured from the previous firing time: 0.3125 fires, so the next comes after 0.5625.
    const struct {
        double t;
        double out;
    } steps[] = {{0.0, 0},    {0.125, 0}, {0.25, 0},  {0.3125, 1}, {0.5, 0},
                 {0.5625, 0}, {0.625, 1}, {0.8125, 0}, {0.875, 0},  {0.9375, 1}};
    for (const auto& s : steps) EXPECT_EQ(ComputeAt(*jitter, s.t), s.out) << "t = " << s.t;
}

TEST_F(GeneratorsTest, JitterReadsConnectedTimesAndItsSwitch) {
    auto jitter = Make<CJitterBlock>(kTypeJitter);
    jitter->param[3] = 7.0;
    Connect(*jitter, 1, 0.5);
    Connect(*jitter, 2, 0.5);
    jitter->Setup();
    EXPECT_EQ(jitter->nextTime, 0.5);
    Connect(*jitter, 3, -1.0);
    EXPECT_EQ(ComputeAt(*jitter, 0.75), 0.0);
    EXPECT_EQ(jitter->nextTime, 0.5);
}

TEST_F(GeneratorsTest, SinePhaseTelescopesWhenAStepIsRetriedFromAnEarlierTime) {
    auto sine = Make<CSineWaveGeneratorBlock>(kTypeSineWaveGenerator);
    sine->param[1] = 2.0;   // frequency
    sine->param[2] = 0.3;   // initial phase
    sine->param[3] = 0.25;  // delay
    sine->Setup();
    // Forward, then retried from earlier times (also from before the delay), then on.
    for (double t : {0.0, 0.1, 0.2, 0.3, 0.4, 0.35, 0.37, 0.5, 0.45, 0.2, 0.6, 0.55, 1.0}) {
        const double out = ComputeAt(*sine, t);
        const double expected = 0.3 + kTwoPi * 2.0 * (std::max(t, 0.25) - 0.25);
        EXPECT_NEAR(sine->phase, expected, 1e-12) << "t = " << t;
        EXPECT_EQ(out, std::sin(sine->phase));
    }
    // A new run starts again from the initial phase and time 0.
    sine->Setup();
    ComputeAt(*sine, 0.5);
    EXPECT_NEAR(sine->phase, 0.3 + kTwoPi * 2.0 * 0.25, 1e-12);
}

TEST_F(GeneratorsTest, SineSwitchHoldsThePhaseWhileOff) {
    auto sine = Make<CSineWaveGeneratorBlock>(kTypeSineWaveGenerator);
    sine->param[1] = 1.0;
    sine->param[2] = 0.7;
    sine->param[3] = 0.0;
    SourceBlock& toggle = Connect(*sine, 3, 0.0);  // 0 is not above zero: off
    sine->Setup();
    for (double t : {0.0, 0.25, 0.5}) EXPECT_EQ(ComputeAt(*sine, t), std::sin(0.7));
    toggle.value = 1.0;
    // On again: only the time since the last evaluation counts.
    ComputeAt(*sine, 0.75);
    EXPECT_NEAR(sine->phase, 0.7 + kTwoPi * 0.25, 1e-12);
}

TEST_F(GeneratorsTest, TimePulsesStartAtTheDelayAndKeepTheirPeriod) {
    auto pulses = Make<CTimePulseGeneratorBlock>(kTypeTimePulseGenerator);
    pulses->param[1] = 0.25;  // period
    pulses->param[2] = 2.0;   // magnitude
    pulses->param[3] = 0.5;   // delay
    pulses->Setup();
    // The period counts from the previous pulse time, not from the evaluation that fired.
    const struct {
        double t;
        double out;
    } steps[] = {{0.0, 0}, {0.25, 0}, {0.4375, 0}, {0.5625, 2}, {0.75, 0}, {0.875, 2},
                 {1.0, 0}, {1.0625, 2}, {1.125, 0}};
    for (const auto& s : steps) EXPECT_EQ(ComputeAt(*pulses, s.t), s.out) << "t = " << s.t;
}

TEST_F(GeneratorsTest, TimePulseSwitchRestartsTheBurst) {
    auto pulses = Make<CTimePulseGeneratorBlock>(kTypeTimePulseGenerator);
    pulses->param[1] = 0.25;
    pulses->param[2] = 3.0;
    pulses->param[3] = 10.0;  // with a Switch the delay plays no part
    SourceBlock& toggle = Connect(*pulses, 3, 1.0);
    pulses->Setup();
    const struct {
        double t;
        double toggle;
        double out;
    } steps[] = {{0.0, 1, 3},   {0.125, 1, 0}, {0.25, 1, 3}, {0.375, -1, 0},
                 {0.625, 0, 3}, {0.75, 0, 0},  {0.875, 0, 3}};
    for (const auto& s : steps) {
        toggle.value = s.toggle;
        EXPECT_EQ(ComputeAt(*pulses, s.t), s.out) << "t = " << s.t;
    }
    EXPECT_EQ(pulses->started, 1);
    EXPECT_EQ(pulses->nextTime, 1.125);
}

}  // namespace
}  // namespace ondrel::test
