#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "RoutingChart.h"
#include "core/model/LaneOccupancy.h"

namespace ondrel::test {
namespace {

using Points = ConnectorPoints;

class ConnectorGeometryTest : public RoutingChart {};

// Each route kind at the default metrics, points worked out by hand.
TEST_F(ConnectorGeometryTest, DirectRouteStepsBesideTheTargetInput) {
    CBlock* target = Gain(3, 2);
    CBlock* source = Gain(2, 2);
    const Points expected{{{160, 75}, {156, 75}, {156, 75}, {156, 79}, {156, 79}, {140, 79}}};
    EXPECT_EQ(ConnectorGeometry(*target, 1, *source, {kDirectRoute, 0, 0, 0}), expected);

    CBlock* flippedTarget = Gain(3, 4, true);
    CBlock* flippedSource = Gain(4, 4, true);
    const Points mirrored{{{190, 175}, {194, 175}, {194, 175}, {194, 179}, {194, 179}, {210, 179}}};
    EXPECT_EQ(ConnectorGeometry(*flippedTarget, 1, *flippedSource, {kDirectRoute, 7, 7, 7}), mirrored);
}

TEST_F(ConnectorGeometryTest, SingleLaneRunsOnTheTargetSideLane) {
    CBlock* target = Add(kTypeIntegrate, 3, 4);  // two inputs: input 2 is the bottom port
    CBlock* source = Gain(2, 1);
    const Points expected{{{160, 167}, {146, 167}, {146, 167}, {146, 29}, {146, 29}, {140, 29}}};
    EXPECT_EQ(ConnectorGeometry(*target, 2, *source, {-2, kSingleLaneRow, 9, 9}), expected);
}

TEST_F(ConnectorGeometryTest, GeneralRouteUsesThreeLanes) {
    CBlock* target = Add(kTypeSum, 5, 3, true);  // input 1: top port, on the right
    CBlock* source = Gain(1, 1);
    const Points expected{{{290, 133}, {302, 133}, {302, 45}, {104, 45}, {104, 29}, {90, 29}}};
    EXPECT_EQ(ConnectorGeometry(*target, 1, *source, {1, 2, -1, 2}), expected);
}

TEST_F(ConnectorGeometryTest, ViewMetricsScaleEveryTerm) {
    const ConnectorMetrics view{10, 20, 80, 60, 3, 4, 5, 2.0};
    CBlock* target = Add(kTypeSum, 2, 3);  // input 3: bottom port
    CBlock* source = Gain(4, 0, true);
    const Points expected{{{140, 144}, {127, 144}, {127, 13}, {293, 13}, {293, -12}, {300, -12}}};
    EXPECT_EQ(ConnectorGeometry(*target, 3, *source, {-1, 1, 2, 1}, view), expected);

    // Scaled offsets are truncated toward zero: 1.5 x -15 gives -22, 1.5 x -4 gives -6.
    ConnectorMetrics oneAndAHalf;
    oneAndAHalf.scale = 1.5;
    const Points truncated{{{53, -25}, {47, -25}, {47, -25}, {47, -19}, {47, -19}, {47, -19}}};
    EXPECT_EQ(ConnectorGeometry(*Gain(1, 0), 1, *Gain(0, 0), {kDirectRoute, 0, 0, 0}, oneAndAHalf),
              truncated);
}

TEST(LaneSegments, CollideOnlyWhenLyingOnTheSameLine) {
    struct Case {
        ConnectorSegment first, second;
        bool collide;
    };
    const Case cases[] = {
        {{{0, 5}, {10, 5}}, {{8, 5}, {20, 5}}, true},     // overlapping horizontals
        {{{0, 5}, {10, 5}}, {{10, 5}, {20, 5}}, true},    // touching end to end
        {{{0, 5}, {10, 5}}, {{11, 5}, {20, 5}}, false},   // a gap of one unit
        {{{0, 5}, {10, 5}}, {{0, 6}, {10, 6}}, false},    // parallel lanes
        {{{5, 0}, {5, 10}}, {{0, 5}, {10, 5}}, false},    // crossing
        {{{5, 10}, {5, 0}}, {{5, 3}, {5, 20}}, true},     // overlapping verticals, any direction
        {{{4, 5}, {4, 5}}, {{0, 5}, {10, 5}}, true},      // a point on a horizontal
        {{{5, 7}, {5, 7}}, {{5, 0}, {5, 10}}, true},      // a point on a vertical
        {{{5, 7}, {5, 7}}, {{6, 7}, {6, 7}}, false},      // two points apart
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SegmentsCollide(c.first, c.second), c.collide);
        EXPECT_EQ(SegmentsCollide(c.second, c.first), c.collide);
    }
}

// The indexed test must answer exactly as the pass over every connector does.
TEST_F(ConnectorGeometryTest, IndexedLanesAnswerLikeTheFullPass) {
    std::vector<CBlock*> grid;
    for (int i = 0; i < 48; ++i) grid.push_back(Add(kTypeSum, i % 8, i / 8, i % 5 == 0));
    unsigned seed = 12345;
    auto next = [&](unsigned n) { seed = seed * 1103515245u + 12345u; return (seed >> 16) % n; };
    for (CBlock* target : grid) {
        for (int k = 1; k <= 3; ++k) Connect(target, k, grid[next(grid.size())]);
    }
    CBlock* probe = Add(kTypeSum, 3, 3);
    int collisions = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        CBlock* source = grid[next(grid.size())];
        probe->input[1] = source;
        probe->position = {static_cast<int>(next(8)), static_cast<int>(next(6))};
        const int row = next(4) == 0 ? kSingleLaneRow : static_cast<int>(next(7));
        probe->route[1] = {static_cast<int>(next(5)) - 2, row, static_cast<int>(next(5)) - 2,
                           static_cast<int>(next(5)) - 2};
        LaneOccupancy lanes;
        lanes.Build(doc.blockList, source);
        const bool collides = lanes.Collides(*ConnectorGeometry(*probe, 1));
        ASSERT_EQ(collides, !PathIsFree(doc.blockList, *probe, 1)) << "trial " << trial;
        collisions += collides;
    }
    // Both answers must occur, or the comparison proves nothing.
    EXPECT_GT(collisions, 100);
    EXPECT_LT(collisions, 2900);
}

// A random chart for the whole-chart comparison: blocks of one to three inputs on a small
// grid (some stacked, some flipped, the whole grid moved by shift), inputs fed from anywhere, records left as a previous
// routing might have left them (some without a line), few lanes so that some connectors
// find none.
void RandomRoutedChart(CTarvekDoc& doc, unsigned seed, GridPoint shift = {}) {
    std::mt19937 random(seed);
    doc.OnNewDocument();
    doc.vertLines = 1 + 2 * static_cast<int>(random() % 3);
    doc.horizLines = 1 + 2 * static_cast<int>(random() % 3);
    const int types[3] = {kTypeGain, kTypeIntegrate, kTypeSum};
    const int side = 4 + static_cast<int>(random() % 6);
    const int blocks = 10 + static_cast<int>(random() % 50);
    for (int i = 0; i < blocks; ++i) {
        auto pending = doc.CreateBlock(types[random() % 3]);
        pending->flipped = random() % 5 == 0 ? 1 : 0;
        // Every fourth chart spreads over hundreds of cells either side of the origin, so that
        // some lanes run a long way.
        const int x = static_cast<int>(random() % side);
        const int y = static_cast<int>(random() % side);
        if (seed % 4 == 0) {
            doc.PlaceBlock(std::move(pending), x * 37 - 150 + shift.x, y * 29 - 120 + shift.y);
        } else {
            doc.PlaceBlock(std::move(pending), x + shift.x, y + shift.y);
        }
    }
    for (auto& block : doc.blockList) {
        if (block->kind == BlockKind::Auxiliary) continue;
        for (int k = 1; k <= block->inputCount; ++k) {
            if (random() % 6 == 0) continue;
            block->input[k] = doc.blockList[random() % doc.blockList.size()].get();
            const int row = random() % 4 == 0 ? kSingleLaneRow : static_cast<int>(random() % side);
            const int lane = random() % 7 == 0 ? kNoRoute : static_cast<int>(random() % 3) - 1;
            block->route[k] = {lane, row, static_cast<int>(random() % 3) - 1,
                               static_cast<int>(random() % 3) - 1};
        }
    }
}

// Rerouting a whole chart through the kept lane index gives the records, link letters and
// messages of routing each connector in turn against lanes collected from the chart afresh.
// The same holds for charts moved to the very edges of the grid, billions of rows away from
// the Clock at the origin: there both must end as soon as in the middle. A search that skips
// rows where nothing can change must still choose what the debug display, which shows every
// candidate in turn, walks to: compared on charts a few thousand rows from the Clock.
TEST(WholeChartReroute, IndexedPassEqualsConnectorByConnectorRouting) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    struct Case {
        GridPoint shift;  // the spread charts reach the edge itself
        unsigned seeds;
        bool watched = false;
    };
    const Case cases[] = {
        {{0, 0}, 60},
        {{0, -4000}, 8, true},
        {{kMax - 146, kMax - 112}, 8},
        {{kMin + 150, kMin + 120}, 8},
        {{kMax - 146, kMin + 120}, 8},
        {{kMin + 150, kMax - 112}, 8},
    };
    int unroutable = 0;
    int routes = 0;
    for (const Case& c : cases) for (unsigned seed = 1; seed <= c.seeds; ++seed) {
        SCOPED_TRACE(testing::Message() << "shift " << c.shift.x << "," << c.shift.y);
        RecordingPlatform platform;
        CTarvekDoc indexed;
        CTarvekDoc plain;
        RandomRoutedChart(indexed, seed, c.shift);
        RandomRoutedChart(plain, seed, c.shift);
        indexed.RerouteAll();
        const auto indexedMessages = platform.messages.shown.size();
        for (auto& block : plain.blockList) {
            for (int k = 1; k <= 3; ++k) plain.RouteConnector(block.get(), k);
        }
        ASSERT_EQ(platform.messages.shown.size(), 2 * indexedMessages) << seed;
        for (std::size_t m = 0; m < indexedMessages; ++m) {
            ASSERT_EQ(platform.messages.shown[m].text,
                      platform.messages.shown[m + indexedMessages].text) << seed;
        }
        ASSERT_EQ(indexed.blockList.size(), plain.blockList.size());
        for (std::size_t i = 0; i < plain.blockList.size(); ++i) {
            const CBlock& a = *indexed.blockList[i];
            const CBlock& b = *plain.blockList[i];
            ASSERT_EQ(a.linkLetter, b.linkLetter) << seed << " block " << i;
            for (int k = 1; k <= 3; ++k) {
                ASSERT_EQ(a.route[k], b.route[k]) << seed << " block " << i << " input " << k;
                routes += b.input[k] != nullptr && b.route[k][kRouteTargetLane] != kDirectRoute;
                unroutable += b.input[k] != nullptr && b.route[k][kRouteTargetLane] == kNoRoute;
            }
        }
        EXPECT_EQ(indexed.nextLinkLetter, plain.nextLinkLetter);
        if (!c.watched) continue;
        CTarvekDoc watched;
        RandomRoutedChart(watched, seed, c.shift);
        watched.connectorDebug = 1;
        for (auto& block : watched.blockList) {
            for (int k = 1; k <= 3; ++k) watched.RouteConnector(block.get(), k);
        }
        for (std::size_t i = 0; i < plain.blockList.size(); ++i) {
            for (int k = 1; k <= 3; ++k) {
                ASSERT_EQ(watched.blockList[i]->route[k], plain.blockList[i]->route[k])
                    << seed << " block " << i << " input " << k;
            }
        }
    }
    // Both searched routes and connectors without a lane must occur, or this proves little.
    EXPECT_GT(unroutable, 50);
    EXPECT_GT(routes - unroutable, 500);
}


}  // namespace
}  // namespace ondrel::test
