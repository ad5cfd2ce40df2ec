// The key index numbers keys in order of first arrival and finds them again, whatever the
// keys look like, and its probing stays short even when keys said to lie close together do
// not: a table whose probes grew with the square of the keys would make loading and sorting
// a large chart quadratic again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <unordered_map>
#include <vector>

#include "core/platform/DenseKeyIndex.h"

namespace ondrel::test {
namespace {

enum class Keys { BlockAddresses, Crowded, Random, GridWithRepeats };

std::vector<std::uint64_t> MakeKeys(Keys kind, std::size_t n, std::mt19937_64& random) {
    std::vector<std::uint64_t> keys;
    for (std::size_t i = 0; i < n; ++i) {
        switch (kind) {
            case Keys::BlockAddresses:  // blocks of a few sizes made one after another
                keys.push_back(0x7f3a00001000ull + i * 496 + (i % 3) * 48);
                break;
            case Keys::Crowded:  // all in one unit of any table: the nearby spread's worst case
                keys.push_back(static_cast<std::uint64_t>(i) << 44);
                break;
            case Keys::Random:
                keys.push_back(random());
                break;
            case Keys::GridWithRepeats: {  // (x, y) on a small grid, negatives included
                const auto x = static_cast<std::int32_t>(random() % 40) - 20;
                const auto y = static_cast<std::int32_t>(random() % 40) - 20;
                keys.push_back(static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32 |
                               static_cast<std::uint32_t>(y));
                break;
            }
        }
    }
    return keys;
}

TEST(DenseKeyIndex, NumbersKeysByFirstArrivalAndKeepsProbesShort) {
    struct Case {
        Keys keys;
        std::size_t count;
        bool nearby;
        std::size_t expected;  // the size hint: too small, exact, or none
    };
    const Case cases[] = {
        {Keys::BlockAddresses, 20000, true, 20000}, {Keys::BlockAddresses, 5000, false, 0},
        {Keys::Crowded, 5000, true, 5000},          {Keys::Crowded, 5000, true, 10},
        {Keys::Crowded, 5000, false, 5000},         {Keys::Random, 20000, true, 100},
        {Keys::Random, 20000, false, 20000},        {Keys::GridWithRepeats, 5000, false, 5000},
        {Keys::GridWithRepeats, 5000, true, 0},     {Keys::BlockAddresses, 0, true, 0},
    };
    std::mt19937_64 random(7);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "keys " << static_cast<int>(c.keys) << " count " << c.count
                                        << " nearby " << c.nearby << " hint " << c.expected);
        const std::vector<std::uint64_t> keys = MakeKeys(c.keys, c.count, random);
        DenseKeyIndex index = c.nearby ? DenseKeyIndex::ForNearbyKeys(c.expected, 8) : DenseKeyIndex(c.expected);
        std::unordered_map<std::uint64_t, std::size_t> reference;
        std::size_t mostProbes = 0;
        for (std::uint64_t key : keys) {
            bool isNew = false;
            const std::size_t number = index.Add(key, isNew);
            const auto [at, inserted] = reference.try_emplace(key, reference.size());
            ASSERT_EQ(isNew, inserted);
            ASSERT_EQ(number, at->second);
            mostProbes = std::max(mostProbes, index.AddProbes());
        }
        EXPECT_EQ(index.size(), reference.size());
        for (const auto& [key, number] : reference) ASSERT_EQ(index.Find(key), number);
        // Keys never added, beside and between the ones that were.
        for (std::uint64_t key : keys) {
            if (!reference.contains(key + 1)) {
                ASSERT_EQ(index.Find(key + 1), DenseKeyIndex::npos);
            }
        }
        EXPECT_EQ(index.Find(0xDEADBEEFCAFEF00Dull), DenseKeyIndex::npos);
        // A few steps per key at most, never a number of steps growing with the keys.
        EXPECT_LE(mostProbes, 8 * (reference.size() + 64));
    }
}

}  // namespace
}  // namespace ondrel::test
