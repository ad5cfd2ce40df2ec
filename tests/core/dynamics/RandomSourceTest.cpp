#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/blocks/RandomSource.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

std::vector<int> Draws(int count) {
    std::vector<int> values;
    for (int i = 0; i < count; ++i) values.push_back(DrawRandom());
    return values;
}

TEST(RandomSource, FirstDrawsFollowTheCongruentialDefinition) {
    // s = s * 214013 + 2531011 (mod 2^32), value = bits 16..30 of s. From seed 7 the states
    // are 0x003D7AAE, 0xC40E66B9, 0xBB6F8E98, 0x1B8052FB, 0xBCA151D2: bit 31 set in three of
    // them must not leak into the value.
    SeedRandomSource(7);
    EXPECT_EQ(Draws(5), (std::vector<int>{61, 17422, 15215, 7040, 15521}));
    EXPECT_EQ(RandomSourceState(), 0xBCA151D2u);

    SeedRandomSource(1);
    EXPECT_EQ(Draws(3), (std::vector<int>{41, 18467, 6334}));

    // The multiplication wraps modulo 2^32.
    SeedRandomSource(0xFFFFFFFFu);
    EXPECT_EQ(DrawRandom(), 35);
}

TEST(RandomSource, SeedSettingTruncatesAndFallsBackToTheClock) {
    test::RecordingPlatform platform;
    platform.clock.seconds = 5'000'000'000;  // beyond 32 bits: the low 32 bits seed
    const std::uint32_t clockSeed = 705032704u;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double setting;
        std::uint32_t state;
    };
    const Case cases[] = {
        {7.0, 7u},        {2.0, 2u},          {2.9, 2u},          {32767.0, 32767u},
        {32767.9, 32767u}, {1.0, clockSeed},   {1.9, clockSeed},   {0.0, clockSeed},
        {-7.0, clockSeed}, {32768.0, clockSeed}, {40000.0, clockSeed}, {nan, clockSeed},
        {inf, clockSeed},  {-inf, clockSeed},
    };
    for (const Case& c : cases) {
        SeedRandomSource(12345u);
        SeedFromSetting(c.setting);
        EXPECT_EQ(RandomSourceState(), c.state) << "seed setting " << c.setting;
    }
}

}  // namespace
}  // namespace ondrel
