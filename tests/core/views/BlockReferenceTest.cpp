// How views refer to blocks: by grid position in files, resolved to the last block there;
// what an unresolved reference leaves; and what a view does when a block it shows goes away.
#include <gtest/gtest.h>

#include "core/model/views/GraphViewState.h"
#include "core/model/views/ListViewState.h"
#include "views/ViewTestSupport.h"

namespace ondrel::test {
namespace {

class ViewBlockReferences : public ::testing::Test {
protected:
    RecordingPlatform platform;
    ViewTestDoc chart;
    CBlock* first = chart.Add("first", {3, -2});
    CBlock* other = chart.Add("other", {5, 0});
    CBlock* second = chart.Add("second", {3, -2});  // stacked on the first
};

TEST_F(ViewBlockReferences, ResolveToTheLastBlockAtThePosition) {
    EXPECT_EQ(FindLastBlockAt(chart.doc, {3, -2}), second);
    EXPECT_EQ(FindLastBlockAt(chart.doc, {5, 0}), other);
    EXPECT_EQ(FindLastBlockAt(chart.doc, {0, 0}), chart.Clock());
    EXPECT_EQ(FindLastBlockAt(chart.doc, {3, 2}), nullptr);
}

TEST_F(ViewBlockReferences, UnresolvedListColumnStaysEmptyAndIsSavedAsRead) {
    Bytes bytes = WriteRecord(*std::make_unique<ListViewState>(), chart.doc);
    bytes.resize(bytes.size() - 4);  // the empty column list's count
    Append(bytes, Int32Bytes(3));
    for (std::int32_t v : {3, -2, 77, -8, 5, 0}) Append(bytes, Int32Bytes(v));

    ListViewState list;
    ASSERT_TRUE(ReadRecord(bytes, list, chart.doc));
    ASSERT_EQ(list.displayedBlocks.size(), 3u);
    EXPECT_EQ(list.displayedBlocks[0].block, second);
    EXPECT_TRUE(list.displayedBlocks[1].IsEmpty());
    EXPECT_EQ(list.displayedBlocks[2].block, other);
    EXPECT_EQ(WriteRecord(list, chart.doc), bytes);

    // A slot the user empties no longer remembers where it pointed.
    list.displayedBlocks[1].Clear();
    EXPECT_EQ(list.displayedBlocks[1].StoredPosition(), kNoConnection);
}

TEST_F(ViewBlockReferences, UnresolvedGraphSlotIsSkippedAndSavedAsRead) {
    GraphViewState out;
    out.axisSlots[0].block.Set(chart.Clock());
    out.axisSlots[1].block.Set(other);
    out.axisSlots[2].block.Set(first);
    out.curveCount = 2;
    const Bytes bytes = WriteRecord(out, chart.doc);

    other->position = {9, -9};  // the file's (5, 0) now finds nothing
    GraphViewState in;
    ASSERT_TRUE(ReadRecord(bytes, in, chart.doc));
    EXPECT_EQ(in.curveCount, 2);
    EXPECT_FALSE(in.CurveShown(1));
    EXPECT_TRUE(in.CurveShown(2));
    EXPECT_EQ(in.axisSlots[2].block.block, second);
    EXPECT_EQ(WriteRecord(in, chart.doc), bytes);
}

TEST_F(ViewBlockReferences, ListDropsEveryColumnOfADeletedBlock) {
    ListViewState list;
    list.displayedBlocks = {BlockReference(first), BlockReference(other), BlockReference(first),
                            BlockReference()};
    list.OnBlockDeleting(*first, chart.doc);
    ASSERT_EQ(list.displayedBlocks.size(), 2u);
    EXPECT_EQ(list.displayedBlocks[0].block, other);
    EXPECT_TRUE(list.displayedBlocks[1].IsEmpty());
}

TEST_F(ViewBlockReferences, NewListShowsTheComputedBlocksOfTheDocument) {
    CBlock* constant = chart.Add("constant", {6, 0}, BlockKind::Fixed, 1);
    CBlock* error = chart.Add("Error", {-500, 0}, BlockKind::Auxiliary);
    (void)constant;
    (void)error;
    ListViewState list;
    list.CompleteDefaults(chart.doc);
    std::vector<CBlock*> shown;
    for (const auto& ref : list.displayedBlocks) shown.push_back(ref.block);
    EXPECT_EQ(shown, (std::vector<CBlock*>{chart.Clock(), first, other, second}));

    list.displayedBlocks.resize(1);
    list.CompleteDefaults(chart.doc);  // a list that has columns keeps them
    EXPECT_EQ(list.displayedBlocks.size(), 1u);
}

TEST_F(ViewBlockReferences, NewGraphPlotsTimeAgainstTime) {
    GraphViewState graph;
    graph.axisSlots[2].block.Set(other);
    graph.CompleteDefaults(chart.doc);
    EXPECT_EQ(graph.axisSlots[0].block.block, chart.Clock());
    EXPECT_EQ(graph.axisSlots[1].block.block, chart.Clock());
    EXPECT_TRUE(graph.axisSlots[2].block.IsEmpty());
    EXPECT_EQ(graph.curveCount, 1);
}

// Graph deletion: which blocks the slots X, 1, 2, 3 show afterwards, and the curve count.
struct GraphDeletionCase {
    const char* what;
    int deleted;                       // index into the chart's blocks
    std::array<int, 4> before;         // block index per slot, -1 empty
    int countBefore;
    std::array<int, 4> after;
    int countAfter;
};

class GraphDeletion : public ViewBlockReferences,
                      public ::testing::WithParamInterface<GraphDeletionCase> {};

TEST_P(GraphDeletion, SlotsCloseUpAndNeverKeepTheBlock) {
    const auto& c = GetParam();
    chart.Add("fourth", {7, 0});
    auto blockAt = [&](int i) { return i < 0 ? nullptr : chart.doc.blockList[i].get(); };
    GraphViewState graph;
    for (int s = 0; s < 4; ++s) graph.axisSlots[s].block.Set(blockAt(c.before[s]));
    graph.curveCount = c.countBefore;

    graph.OnBlockDeleting(*blockAt(c.deleted), chart.doc);
    for (int s = 0; s < 4; ++s) EXPECT_EQ(graph.axisSlots[s].block.block, blockAt(c.after[s])) << c.what << " slot " << s;
    EXPECT_EQ(graph.curveCount, c.countAfter) << c.what;
}

// Blocks: 0 Clock, 1 first, 2 other, 3 second, 4 fourth.
INSTANTIATE_TEST_SUITE_P(
    ViewBlockReferences, GraphDeletion,
    ::testing::Values(
        GraphDeletionCase{"curve 3", 4, {0, 1, 2, 4}, 3, {0, 1, 2, -1}, 2},
        GraphDeletionCase{"curve 2 with 3", 2, {0, 1, 2, 4}, 3, {0, 1, 4, -1}, 2},
        GraphDeletionCase{"curve 2 alone", 2, {0, 1, 2, -1}, 2, {0, 1, -1, -1}, 1},
        GraphDeletionCase{"curve 1 with 2 and 3", 1, {0, 1, 2, 4}, 3, {0, 2, 4, -1}, 2},
        GraphDeletionCase{"curve 1 alone takes the second block", 3, {0, 3, -1, -1}, 1, {0, 1, -1, -1}, 1},
        GraphDeletionCase{"curve 1 alone, being the second block", 1, {0, 1, -1, -1}, 1, {0, 0, -1, -1}, 1},
        GraphDeletionCase{"one block on two curves", 2, {0, 2, 2, 4}, 3, {0, 4, -1, -1}, 1},
        GraphDeletionCase{"X axis", 4, {4, 1, -1, -1}, 1, {0, 1, -1, -1}, 1}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(ViewBlockReferences, CurveMovingDownKeepsTheSlotColourAndResetsTheSlotItLeaves) {
    GraphViewState graph;
    graph.axisSlots[0].block.Set(chart.Clock());
    for (int k = 1; k <= 3; ++k) {
        graph.axisSlots[k].Color = MakeColor(k, 0, 0);
        graph.axisSlots[k].High = 10.0 * k;
        graph.axisSlots[k].Low = -k;
        graph.axisSlots[k].Fixed = 1;
        graph.axisSlots[k].Width = k;
        graph.axisSlots[k].Locn = 1;
    }
    graph.axisSlots[1].block.Set(first);
    graph.axisSlots[2].block.Set(other);
    graph.axisSlots[3].block.Set(second);
    graph.curveCount = 3;

    graph.OnBlockDeleting(*other, chart.doc);
    const GraphSlot& two = graph.axisSlots[2];
    EXPECT_EQ(two.block.block, second);
    EXPECT_EQ(two.Color, MakeColor(2, 0, 0));
    EXPECT_EQ(two.High, 30.0);
    EXPECT_EQ(two.Low, -3.0);
    EXPECT_EQ(two.Width, 3);
    EXPECT_EQ(two.Locn, 0);
    const GraphSlot& three = graph.axisSlots[3];
    EXPECT_TRUE(three.block.IsEmpty());
    EXPECT_EQ(three.Color, MakeColor(0, 0, 255));
    EXPECT_EQ(three.High, 0.0);
    EXPECT_EQ(three.Fixed, 0);
    EXPECT_EQ(three.Width, 0);
    EXPECT_EQ(three.Locn, 0);
}

}  // namespace
}  // namespace ondrel::test
