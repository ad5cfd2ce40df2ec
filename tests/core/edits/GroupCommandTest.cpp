#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CommandChart.h"
#include "core/model/edits/GroupCommands.h"

namespace ondrel::test {
namespace {

class GroupCommandTest : public CommandChart {
protected:
    // source feeds a; a feeds b and c; b feeds an outside block; the group is a, b, c.
    void BuildChart() {
        source = Place(kTypeConstant, 1, -1);
        a = Place(kTypeGain, 3, -1);
        b = Place(kTypeGain, 5, -1);
        c = Place(kTypeSum, 5, -3);
        outside = Place(kTypeGain, 8, -1);
        a->label = "Spring";
        Connect(*a, 1, *source);
        Connect(*b, 1, *a);
        Connect(*c, 2, *a);
        Connect(*outside, 1, *b);
        stack.clear();
    }
    std::vector<std::unique_ptr<CBlock>> Copies(const std::vector<CBlock*>& blocks) {
        std::vector<std::unique_ptr<CBlock>> copies;
        for (CBlock* block : blocks) {
            copies.push_back(doc.CreateBlock(block->typeId));
            CTarvekDoc::CopyBlockAttributes(*block, *copies.back());
        }
        return copies;
    }

    CBlock* source = nullptr;
    CBlock* a = nullptr;
    CBlock* b = nullptr;
    CBlock* c = nullptr;
    CBlock* outside = nullptr;
};

TEST_F(GroupCommandTest, EveryGroupEditIsOneStepThatUndoesAndRedoesByteForByte) {
    struct Case {
        std::string name;
        std::function<std::unique_ptr<ChartCommand>()> make;
        std::function<void()> check;  // the chart after the first application
    };
    const std::vector<Case> cases = {
        {"Delete 3 Blocks", [&] { return MakeGroupDeleteCommand(doc, {a, b, c}); },
         [&] {
             EXPECT_EQ(doc.IndexOf(a), -1);
             EXPECT_EQ(doc.IndexOf(c), -1);
             EXPECT_EQ(outside->input[1], nullptr);
         }},
        {"Cut 2 Blocks", [&] { return MakeGroupDeleteCommand(doc, {doc.Clock(), b, a}, true); },
         [&] { EXPECT_NE(doc.IndexOf(doc.Clock()), -1); }},
        {"Delete Spring", [&] { return MakeGroupDeleteCommand(doc, {a}); }, [] {}},
        {"Move 3 Blocks", [&] { return MakeGroupMoveCommand({a, b, c}, {1, -4}); },
         [&] {
             EXPECT_EQ(a->position, (GridPoint{4, -5}));
             EXPECT_EQ(c->position, (GridPoint{6, -7}));
             EXPECT_EQ(b->input[1], a);
         }},
        // Each block onto the place the one before it leaves: only a move of the whole
        // group at once can do it.
        {"Move 2 Blocks", [&] { return MakeGroupMoveCommand({b, a}, {2, 0}); },
         [&] { EXPECT_EQ(b->position, (GridPoint{7, -1})); }},
        {"Move Spring", [&] { return MakeGroupMoveCommand({a}, {0, -6}); }, [] {}},
        {"Paste 3 Blocks",
         [&] {
             return MakeGroupPasteCommand(Copies({a, b, c}), {{3, -8}, {5, -8}, {5, -10}},
                                          {{1, 1, 0}, {2, 2, 0}});
         },
         [&] {
             ASSERT_EQ(doc.blockList.size(), 11u);
             CBlock* pastedA = doc.blockList[8].get();
             EXPECT_EQ(pastedA->label, "Spring");
             EXPECT_EQ(pastedA->input[1], nullptr);  // its source stayed outside the group
             EXPECT_EQ(doc.blockList[9]->input[1], pastedA);
             EXPECT_EQ(doc.blockList[10]->input[2], pastedA);
             EXPECT_EQ(doc.blockList[10]->position, (GridPoint{5, -10}));
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        stack.clear();
        doc.OnNewDocument();
        BuildChart();
        const auto before = Bytes();
        Do(test.make());
        ASSERT_EQ(stack.size(), 1u);
        EXPECT_EQ(stack.back()->Name(), test.name);
        test.check();
        const auto after = Bytes();
        EXPECT_NE(after, before);
        const std::size_t shown = platform.messages.shown.size();
        for (int round = 0; round < 2; ++round) {
            stack.back()->Revert(doc);
            EXPECT_EQ(Bytes(), before);
            stack.back()->Apply(doc);
            EXPECT_EQ(Bytes(), after);
        }
        EXPECT_EQ(platform.messages.shown.size(), shown);
    }
}

TEST_F(GroupCommandTest, NothingToDoGivesNoCommand) {
    BuildChart();
    EXPECT_EQ(MakeGroupDeleteCommand(doc, {doc.Clock()}), nullptr);
    EXPECT_EQ(MakeGroupMoveCommand({}, {1, 1}), nullptr);
    EXPECT_EQ(MakeGroupPasteCommand({}, {}, {}), nullptr);
    EXPECT_EQ(MakeGroupPasteCommand(Copies({a}), {{1, -9}}, {{0, 1, 3}}), nullptr);  // no block 3
    EXPECT_EQ(MakeGroupPasteCommand(Copies({a, b}), {{1, -9}}, {}), nullptr);
    EXPECT_EQ(MakeGroupPasteCommand(Copies({a, b}), {{1, -9}, {3, -9}}, {{1, 2, 0}}), nullptr);  // a Gain has one input
}

}  // namespace
}  // namespace ondrel::test
