#include <gtest/gtest.h>

#include <ostream>

#include "RoutingChart.h"
#include "core/model/LaneOccupancy.h"

namespace ondrel::test {
namespace {

class ConnectorRouterTest : public RoutingChart {};

TEST_F(ConnectorRouterTest, NeighbourOnTheInputSideIsDirectWithoutSearch) {
    doc.connectorDebug = 1;  // a search would ask about every candidate
    EXPECT_EQ(Connect(Gain(2, 2), 1, Gain(1, 2))[kRouteTargetLane], kDirectRoute);
    EXPECT_EQ(Connect(Gain(2, 4, true), 1, Gain(3, 4, true))[kRouteTargetLane], kDirectRoute);
    EXPECT_TRUE(platform.messages.shown.empty());

    // Mixed orientations are never direct, even side by side.
    doc.connectorDebug = 0;
    EXPECT_NE(Connect(Gain(2, 6), 1, Gain(1, 6, true))[kRouteTargetLane], kDirectRoute);
}

TEST_F(ConnectorRouterTest, SameSourceSharesLanesAnotherSourceMovesOn) {
    CBlock* source = Gain(2, 1);
    EXPECT_EQ(Connect(Gain(3, 4), 1, source), (RouteRecord{-2, kSingleLaneRow, 0, 0}));
    EXPECT_EQ(Connect(Gain(3, 5), 1, source), (RouteRecord{-2, kSingleLaneRow, 0, 0}));
    EXPECT_EQ(Connect(Gain(3, 6), 1, Gain(2, 2))[kRouteTargetLane], -1);
    // A general route from another source keeps off all three.
    CBlock* generalTarget = Gain(3, 3);
    EXPECT_NE(Connect(generalTarget, 1, Gain(0, 3))[kRouteRow], kSingleLaneRow);
    EXPECT_TRUE(PathIsFree(doc.blockList, *generalTarget, 1));
}

TEST_F(ConnectorRouterTest, NoFreeLaneGivesMessageAndLinkLetter) {
    FillBoundaryLanes(5);
    CBlock* source = Gain(2, 5);
    CBlock* target = Gain(3, 11);
    EXPECT_EQ(Connect(target, 1, source)[kRouteTargetLane], kNoRoute);
    const ShownMessage& m = platform.OnlyMessage();
    EXPECT_EQ(m.text, "Vertical Line Not Available");
    EXPECT_EQ(m.caption, "Line Error");
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_EQ(source->linkLetter, "a");

    // The same source keeps its letter; another source gets the next one.
    EXPECT_EQ(Connect(Gain(3, 12), 1, source)[kRouteTargetLane], kNoRoute);
    EXPECT_EQ(source->linkLetter, "a");
    CBlock* other = Gain(3, 5, true);
    EXPECT_EQ(Connect(Gain(3, 13), 1, other)[kRouteTargetLane], kNoRoute);
    EXPECT_EQ(other->linkLetter, "b");
    EXPECT_EQ(doc.nextLinkLetter, 99);
    EXPECT_EQ(platform.messages.shown.size(), 3u);
}

struct SingleLaneOrder {
    int lanes;
    bool sourceFlipped;
    std::vector<int> tried;
};
void PrintTo(const SingleLaneOrder& c, std::ostream* os) {
    *os << c.lanes << " lanes, source " << (c.sourceFlipped ? "flipped" : "normal");
}

class SingleLaneOrderTest : public RoutingChart,
                            public ::testing::WithParamInterface<SingleLaneOrder> {};

TEST_P(SingleLaneOrderTest, TriesLanesInTheSourcesOrder) {
    const auto& c = GetParam();
    doc.vertLines = doc.horizLines = c.lanes;
    FillBoundaryLanes(c.lanes);
    CandidateRecorder recorder(doc);
    doc.connectorDebug = 1;
    CBlock* source = c.sourceFlipped ? Gain(3, 5, true) : Gain(2, 5);
    Connect(Gain(3, 11), 1, source);
    std::vector<int> tried;
    for (const auto& r : recorder.seen) tried.push_back(r[kRouteTargetLane]);
    EXPECT_EQ(tried, c.tried);
    EXPECT_EQ(platform.messages.shown.back().text, "Vertical Line Not Available");
    EXPECT_EQ(doc.debugCandidate.target, nullptr);  // nothing left for a view to pick out
}

INSTANTIATE_TEST_SUITE_P(Lanes, SingleLaneOrderTest,
                         ::testing::Values(SingleLaneOrder{5, false, {-2, -1, 0, 1, 2}},
                                           SingleLaneOrder{5, true, {2, 1, 0, -1, -2}},
                                           SingleLaneOrder{1, false, {0}}));

// The general search with three lanes everywhere, the target's input lanes all taken, so every
// candidate is tried: source and target at row 5, the lanes of rows 5 then 6.
struct GeneralOrder {
    bool sourceFlipped;
    bool targetFlipped;
    std::vector<int> sourceLanes;
    std::vector<int> targetLanes;
};
void PrintTo(const GeneralOrder& c, std::ostream* os) {
    *os << "source " << (c.sourceFlipped ? "flipped" : "normal") << ", target "
        << (c.targetFlipped ? "flipped" : "normal");
}

class GeneralOrderTest : public RoutingChart, public ::testing::WithParamInterface<GeneralOrder> {};

TEST_P(GeneralOrderTest, NestsRowSourceRowLaneTargetLane) {
    const auto& c = GetParam();
    doc.vertLines = doc.horizLines = 3;
    FillBoundaryLanes(3);
    CandidateRecorder recorder(doc);
    doc.connectorDebug = 1;
    // Both targets put their input lanes on the filled boundary.
    CBlock* target = c.targetFlipped ? Gain(2, 5, true) : Gain(3, 5);
    EXPECT_EQ(Connect(target, 1, Gain(6, 5, c.sourceFlipped))[kRouteTargetLane], kNoRoute);

    std::vector<RouteRecord> expected;
    for (int row : {5, 6}) {
        const std::vector<int> rowLanes = row == 5 ? std::vector{1, 0, -1} : std::vector{-1, 0, 1};
        for (int s : c.sourceLanes) {
            for (int h : rowLanes) {
                for (int t : c.targetLanes) expected.push_back({t, row, h, s});
            }
        }
    }
    EXPECT_EQ(recorder.seen, expected);
    ASSERT_EQ(platform.messages.shown.size(), expected.size() + 1);
    EXPECT_EQ(platform.messages.shown.front().caption, "General Line");
    EXPECT_EQ(platform.messages.shown.back().text, "General Line Not Available");
    EXPECT_EQ(platform.messages.shown.back().caption, "Line Error");
}

INSTANTIATE_TEST_SUITE_P(
    Orientations, GeneralOrderTest,
    ::testing::Values(GeneralOrder{false, false, {-1, 0, 1}, {1, 0, -1}},
                      GeneralOrder{true, false, {1, 0, -1}, {1, 0, -1}},
                      GeneralOrder{false, true, {-1, 0, 1}, {-1, 0, 1}},
                      GeneralOrder{true, true, {1, 0, -1}, {-1, 0, 1}}));

TEST_F(ConnectorRouterTest, OneLaneSearchesEveryRowTowardTheTarget) {
    doc.vertLines = doc.horizLines = 1;
    FillBoundaryLanes(1);
    CBlock* target = Gain(3, 5);
    struct Case {
        int sourceRow;
        std::vector<int> rows;
    };
    for (const Case& c : {Case{1, {2, 3, 4, 5}}, Case{8, {8, 7, 6}}, Case{5, {5, 6}}}) {
        CandidateRecorder recorder(doc);
        doc.connectorDebug = 1;
        target->input[1] = nullptr;
        Connect(target, 1, Gain(6, c.sourceRow));
        std::vector<RouteRecord> expected;
        for (int row : c.rows) expected.push_back({0, row, 0, 0});
        EXPECT_EQ(recorder.seen, expected) << "source row " << c.sourceRow;
    }
}

TEST_F(ConnectorRouterTest, CancelEndsTheDebugDisplayButNotTheSearch) {
    FillBoundaryLanes(5);
    doc.connectorDebug = 1;
    platform.messages.answers = {MsgResult::Ok, MsgResult::Cancel};
    Connect(Gain(3, 11), 1, Gain(2, 5));
    EXPECT_EQ(doc.connectorDebug, 0);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Check this out!", "Check this out!",
                                                 "Vertical Line Not Available"}));
    EXPECT_EQ(platform.messages.shown[1].caption, "Vertical Line");
    EXPECT_EQ(platform.messages.shown[1].buttons, MsgButtons::OkCancel);
}

// A connector without a line is drawn with letters only: its stale lanes must stay usable.
TEST_F(ConnectorRouterTest, ConnectorWithoutLineHoldsNoLane) {
    CBlock* target = Add(kTypeSum, 3, 4);
    CBlock* other = Gain(0, 1);
    target->input[1] = other;
    // Its horizontal lane would touch the first candidate of the new connector.
    target->route[1] = {kNoRoute, 2, -2, -2};
    const RouteRecord first{2, 2, -2, -2};
    EXPECT_EQ(Connect(target, 2, Gain(0, 1)), first);

    target->input[2] = nullptr;
    target->route[1] = {2, 2, -2, -2};  // the same lanes with a line: now they are taken
    EXPECT_NE(Connect(target, 2, Gain(0, 1)), first);
}

TEST_F(ConnectorRouterTest, RerouteAllFollowsBlockListThenInputOrder) {
    CBlock* a = Gain(2, 1);
    CBlock* b = Gain(2, 2);
    CBlock* c = Gain(2, 3);
    CBlock* sum = Add(kTypeSum, 3, 6);
    CBlock* gain = Gain(3, 5);
    Connect(gain, 1, c);   // takes lane -2 first
    Connect(sum, 2, b);
    Connect(sum, 1, a);
    ASSERT_EQ(gain->route[1][kRouteTargetLane], -2);
    for (CBlock* t : {sum, gain}) {
        for (auto& r : t->route) r[kRouteTargetLane] = kNoRoute;  // e.g. as loaded
    }
    doc.RerouteAll();
    EXPECT_EQ(sum->route[1][kRouteTargetLane], -2);
    EXPECT_EQ(sum->route[2][kRouteTargetLane], -1);
    EXPECT_EQ(gain->route[1][kRouteTargetLane], 0);
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(ConnectorRouterTest, FlippedBlockIsReroutedFromItsOtherSide) {
    CBlock* source = Gain(2, 2);
    CBlock* target = Gain(3, 2);
    CBlock* next = Gain(6, 2);
    ASSERT_EQ(Connect(target, 1, source)[kRouteTargetLane], kDirectRoute);
    Connect(next, 1, target);
    EXPECT_EQ(next->route[1], (RouteRecord{2, 2, 2, -2}));

    // Flipped, the target takes its input on the right: the direct connector becomes a general
    // one. It is routed first, against the outgoing connector's old record, which already
    // leaves from the left side (lane x 146); then the outgoing one is routed anew.
    target->flipped = 1;
    doc.RerouteBlock(target);
    EXPECT_EQ(target->route[1], (RouteRecord{-2, 2, 1, -1}));
    EXPECT_EQ(next->route[1], (RouteRecord{2, 2, 2, 2}));
}

TEST_F(ConnectorRouterTest, UnconnectedOrMissingInputsAreLeftAlone) {
    CBlock* target = Gain(3, 2);
    target->route[1] = {7, 7, 7, 7};
    for (int k : {0, 1, 4}) doc.RouteConnector(target, k);
    doc.RouteConnector(nullptr, 1);
    EXPECT_EQ(target->route[1], (RouteRecord{7, 7, 7, 7}));
    EXPECT_FALSE(ConnectorGeometry(*target, 1).has_value());
    EXPECT_FALSE(ConnectorGeometry(*target, 4).has_value());
}

}  // namespace
}  // namespace ondrel::test
