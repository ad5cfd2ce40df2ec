#include <gtest/gtest.h>

#include <array>

#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/GraphSheetValues.h"
#include "core/model/views/GraphViewState.h"

namespace ondrel {
namespace {

// The blocks the pages chose for curves 1..3 (-1: none, else an index into three blocks),
// and what the graph then shows: each curve's block and the curve count.
struct SheetCase {
    std::array<int, 3> chosen;
    std::array<int, 3> shown;
    int curveCount;
};

class GraphSheetApplyTest : public ::testing::TestWithParam<SheetCase> {};

TEST_P(GraphSheetApplyTest, CurvesCloseUpAndCountTheHighestSet) {
    const SheetCase& c = GetParam();
    CTarvekDoc doc;
    doc.OnNewDocument();
    CBlock* blocks[3] = {};
    for (int i = 0; i < 3; ++i) {
        doc.PlaceBlock(doc.CreateBlock(kTypeSum), 2 + i, 1);
        blocks[i] = doc.blockList.back().get();
    }
    GraphViewState view;
    view.CompleteDefaults(doc);
    GraphSheetValues values(view);
    for (int k = 1; k <= 3; ++k) {
        values.blocks[k] = c.chosen[k - 1] < 0 ? nullptr : blocks[c.chosen[k - 1]];
        values.High(k) = 10.0 * k;
    }
    values.ApplyTo(view);
    for (int k = 1; k <= 3; ++k) {
        const CBlock* expected = c.shown[k - 1] < 0 ? nullptr : blocks[c.shown[k - 1]];
        EXPECT_EQ(view.axisSlots[k].block.block, expected) << "curve " << k;
    }
    EXPECT_EQ(view.curveCount, c.curveCount);
    // A curve 3 that moved down took its scale, and slot 3 its built-in look.
    if (c.chosen[1] < 0 && c.chosen[2] >= 0) {
        EXPECT_EQ(view.axisSlots[2].High, 30.0);
        EXPECT_EQ(view.axisSlots[3].High, 0.0);
        EXPECT_EQ(view.axisSlots[2].Color, GraphViewState::DefaultCurveColor(2));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, GraphSheetApplyTest,
    ::testing::Values(SheetCase{{0, 1, 2}, {0, 1, 2}, 3}, SheetCase{{0, -1, 2}, {0, 2, -1}, 2},
                      SheetCase{{-1, 1, -1}, {-1, 1, -1}, 2}, SheetCase{{-1, -1, 2}, {-1, 2, -1}, 2},
                      SheetCase{{-1, -1, -1}, {-1, -1, -1}, 1}, SheetCase{{1, -1, -1}, {1, -1, -1}, 1}));

// "Clear" on each page, from three curves: which block each curve keeps and whether the
// button did anything.
TEST(GraphSheetClear, MovesTheLaterCurvesUpAndDoesNothingWithoutABlock) {
    CTarvekDoc doc;
    doc.OnNewDocument();
    CBlock* a = doc.Clock();
    GraphViewState view;
    view.CompleteDefaults(doc);
    auto place = [&doc](int x) {
        doc.PlaceBlock(doc.CreateBlock(kTypeSum), x, 1);
        return doc.blockList.back().get();
    };
    CBlock* b = place(2);
    CBlock* c = place(3);
    struct Case {
        int clear;
        std::array<CBlock*, 4> before;
        bool acts;
        std::array<CBlock*, 4> after;
    } cases[] = {
        {1, {a, a, b, c}, true, {a, b, c, nullptr}},
        {1, {a, a, nullptr, nullptr}, false, {a, a, nullptr, nullptr}},
        {2, {a, a, b, c}, true, {a, a, c, nullptr}},
        {2, {a, a, b, nullptr}, true, {a, a, nullptr, nullptr}},
        {3, {a, a, b, nullptr}, false, {a, a, b, nullptr}},
        {3, {a, a, b, c}, true, {a, a, b, nullptr}},
    };
    for (const Case& k : cases) {
        GraphSheetValues values(view);
        values.blocks = k.before;
        EXPECT_EQ(values.ClearCurve(k.clear), k.acts) << "Clear " << k.clear;
        EXPECT_EQ(values.blocks, k.after) << "Clear " << k.clear;
    }
}

}  // namespace
}  // namespace ondrel
