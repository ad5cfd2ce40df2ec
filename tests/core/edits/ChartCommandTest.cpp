#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CommandChart.h"
#include "core/engine/RunDriver.h"
#include "core/blocks/FunctionGenerator.h"

namespace ondrel::test {
namespace {

class ChartCommandTest : public CommandChart {
protected:
    // A Constant feeding a Gain, a Sum and a Function Generator; the Gain feeds the Sum.
    void BuildChart() {
        constant = Place(kTypeConstant, 1, 1);
        gain = Place(kTypeGain, 3, 1);
        sum = Place(kTypeSum, 5, 2);
        table = Place(kTypeFunctionGenerator, 3, 4);
        Connect(*gain, 1, *constant);
        Connect(*sum, 1, *gain);
        Connect(*sum, 2, *constant);
        Connect(*table, 1, *constant);
        stack.clear();
    }
    void EditModel() {
        CSettingsGroup edited;
        edited.AssignFrom(doc.modelSettings);
        *edited.FindValue<int>(1032) = 7;  // VertLines
        *edited.FindValue<int>(1033) = 3;  // HorizLines
        Do(MakeModelSettingsCommand(ModelSettingsEdit::Capture(doc, edited, "Tank")));
    }
    void EditView() {
        CSettingsGroup edited;
        edited.AssignFrom(view->settings);
        *edited.FindValue<int>(1219) = 2;  // LineWidth
        Do(MakeViewSettingsCommand(*view, ViewSettingsEdit::Capture(*view, edited, "Top", "n")));
    }

    CBlock* constant = nullptr;
    CBlock* gain = nullptr;
    CBlock* sum = nullptr;
    CBlock* table = nullptr;
};

TEST_F(ChartCommandTest, EveryEditUndoesAndRedoesByteForByte) {
    BuildChart();
    CBlock* integrate = nullptr;
    CBlock* pasted = nullptr;
    struct Step {
        std::string name;
        std::function<void()> run;
    };
    const std::vector<Step> steps = {
        {"Place Integrate", [&] { integrate = Place(kTypeIntegrate, 7, 1); }},
        {"Paste Gain", [&] { pasted = Paste(*gain, 3, 7); }},
        {"Move Sum", [&] { Do(MakeMoveCommand(*sum, {5, 5})); Do(MakeMoveCommand(*sum, {6, 6})); }},
        {"Connect", [&] { Connect(*integrate, 1, *sum); }},
        {"Connect", [&] { Connect(*pasted, 1, *table); }},
        {"Edit Gain", [&] { Edit(*gain, [](BlockEdit& e) { e.flipped = 1; }); }},
        {"Edit Sum", [&] { Edit(*sum, [](BlockEdit& e) { e.param[3] = 2.5; e.ClearInput(1); }); }},
        {"Function Data", [&] { Edit(*table, [](BlockEdit& e) { e.ordinates = {{0, 1, 4, 9}}; }); }},
        {"Model Properties", [&] { EditModel(); }},
        {"Viewing Properties", [&] { EditView(); }},
        {"Delete Constant", [&] { Do(MakeDeleteCommand(doc, *constant)); }},
        {"Cut Function Generator", [&] { Do(MakeDeleteCommand(doc, *table, true)); }},
    };
    std::vector<std::vector<std::uint8_t>> bytes{Bytes()};
    for (const Step& step : steps) {
        step.run();
        ASSERT_EQ(stack.size(), bytes.size()) << step.name << " is one change";
        EXPECT_EQ(stack.back()->Name(), step.name);
        bytes.push_back(Bytes());
        EXPECT_NE(bytes.back(), bytes[bytes.size() - 2]) << step.name << " changed nothing";
    }
    const std::size_t shown = platform.messages.shown.size();
    // Twice through, so that a command also reverts after its redo.
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = stack.size(); i-- > 0;) {
            doc.SetModifiedFlag(false);
            views.notices.clear();
            stack[i]->Revert(doc);
            EXPECT_EQ(Bytes(), bytes[i]) << "undo of " << steps[i].name;
            EXPECT_TRUE(doc.IsModified()) << steps[i].name;
            EXPECT_EQ(views.notices.back(), (Notice{UpdateHint::Refresh, nullptr})) << steps[i].name;
        }
        for (std::size_t i = 0; i < stack.size(); ++i) {
            doc.SetModifiedFlag(false);
            stack[i]->Apply(doc);
            EXPECT_EQ(Bytes(), bytes[i + 1]) << "redo of " << steps[i].name;
            EXPECT_TRUE(doc.IsModified()) << steps[i].name;
        }
    }
    EXPECT_EQ(platform.messages.shown.size(), shown);
}

TEST_F(ChartCommandTest, LineErrorIsShownOnceAndItsLetterComesAndGoes) {
    doc.vertLines = doc.horizLines = 1;
    Connect(*Place(kTypeGain, 3, 6), 1, *Place(kTypeGain, 2, 0));  // takes the only lane
    CBlock* source = Place(kTypeGain, 2, 5);
    CBlock* target = Place(kTypeGain, 3, 11);
    const auto before = Bytes();
    Connect(*target, 1, *source);
    EXPECT_EQ(platform.OnlyMessage().caption, "Line Error");
    ASSERT_EQ(source->linkLetter, "a");
    const auto after = Bytes();

    for (int round = 0; round < 2; ++round) {
        stack.back()->Revert(doc);
        EXPECT_EQ(Bytes(), before);
        EXPECT_EQ(source->linkLetter, "");
        EXPECT_EQ(doc.nextLinkLetter, 97);
        EXPECT_EQ(target->input[1], nullptr);
        stack.back()->Apply(doc);
        EXPECT_EQ(Bytes(), after);
        EXPECT_EQ(doc.nextLinkLetter, 98);
    }
    EXPECT_EQ(platform.messages.shown.size(), 1u);
}

TEST_F(ChartCommandTest, UndoKeepsTheSamplesOfEveryBlock) {
    BuildChart();
    RunChart(doc);
    ASSERT_TRUE(platform.messages.shown.empty());
    std::vector<std::vector<double>> histories;
    for (const auto& block : doc.blockList) histories.push_back(block->history);
    ASSERT_FALSE(constant->history.empty());
    ASSERT_GT(gain->history.size(), 1u);
    const auto before = Bytes();

    Do(MakeDeleteCommand(doc, *constant));
    EXPECT_EQ(doc.IndexOf(constant), -1);
    EXPECT_EQ(constant->history, histories[3]);  // kept alive by the command
    EXPECT_EQ(gain->input[1], nullptr);
    stack.back()->Revert(doc);
    EXPECT_EQ(doc.IndexOf(constant), 3);
    for (std::size_t i = 0; i < doc.blockList.size(); ++i)
        EXPECT_EQ(doc.blockList[i]->history, histories[i]) << doc.blockList[i]->label;
    EXPECT_EQ(Bytes(), before);
}

TEST_F(ChartCommandTest, MovesOfOneBlockMergeIntoOneChange) {
    BuildChart();
    const auto before = Bytes();
    // Along its row first, which leaves its connectors' records as they are, then above its
    // sources, which changes them: the merged change must still restore those.
    Do(MakeMoveCommand(*sum, {8, 2}));
    Do(MakeMoveCommand(*sum, {8, 0}));
    ASSERT_EQ(stack.size(), 1u);
    EXPECT_EQ(stack.back()->Name(), "Move Sum");
    const auto moved = Bytes();
    Do(MakeMoveCommand(*gain, {3, 3}));
    Connect(*sum, 3, *table);
    Do(MakeMoveCommand(*sum, {9, 9}));  // not right after the others: a change of its own
    EXPECT_EQ(stack.size(), 4u);

    const auto after = Bytes();
    for (std::size_t i = stack.size(); i-- > 0;) stack[i]->Revert(doc);
    EXPECT_EQ(sum->position, (GridPoint{5, 2}));
    EXPECT_EQ(Bytes(), before);
    stack.front()->Apply(doc);
    EXPECT_EQ(Bytes(), moved);
    for (std::size_t i = 1; i < stack.size(); ++i) stack[i]->Apply(doc);
    EXPECT_EQ(Bytes(), after);

    // There and back again is one change that changes nothing.
    Do(MakeMoveCommand(*table, {3, 8}));
    Do(MakeMoveCommand(*table, {3, 4}));
    ASSERT_EQ(stack.size(), 5u);
    stack.back()->Revert(doc);
    EXPECT_EQ(Bytes(), after);
}

TEST_F(ChartCommandTest, PlacementTellsTheViewsAndKeepsTheBlockWhileOut) {
    CBlock* block = Place(kTypeSum, 2, 2);
    const ColorRef color = block->color;
    views.notices.clear();
    stack.back()->Revert(doc);
    // Told first, while the block is still in the chart, so no view keeps it.
    EXPECT_EQ(views.notices.front(), (Notice{UpdateHint::BlockDeleting, block}));
    EXPECT_EQ(doc.IndexOf(block), -1);

    views.notices.clear();
    stack.back()->Apply(doc);
    EXPECT_EQ(views.notices, (std::vector<Notice>{{UpdateHint::BlockAdded, nullptr},
                                                  {UpdateHint::BlockPlaced, block},
                                                  {UpdateHint::Refresh, nullptr}}));
    EXPECT_EQ(doc.blockList.back().get(), block);
    EXPECT_EQ(block->color, color);
    EXPECT_EQ(block->position, (GridPoint{2, 2}));
}

TEST_F(ChartCommandTest, DetachedBlockReturnsToItsPlaceAndTheInputsStillInTheChart) {
    BuildChart();
    DetachedBlock out = doc.DetachBlock(constant);
    ASSERT_EQ(out.block.get(), constant);
    EXPECT_EQ(out.index, 3);
    EXPECT_EQ(out.fedInputs.size(), 3u);
    DetachedBlock tableOut = doc.DetachBlock(table);  // one of its targets goes too

    EXPECT_EQ(doc.ReattachBlock(std::move(out)), constant);
    EXPECT_EQ(doc.IndexOf(constant), 3);
    EXPECT_EQ(gain->input[1], constant);
    EXPECT_EQ(sum->input[2], constant);
    EXPECT_EQ(table->input[1], nullptr);  // out of the chart: left alone
    // Whatever index a caller kept, the Clock stays first.
    EXPECT_EQ(doc.InsertBlock(0, std::move(tableOut.block)), table);
    EXPECT_EQ(doc.IndexOf(table), 1);
    EXPECT_EQ(doc.DetachBlock(doc.Clock()).block, nullptr);
}

TEST_F(ChartCommandTest, TheClockItsOutputsAndImpossibleRowsGiveNoCommand) {
    for (const auto& block : doc.blockList) EXPECT_EQ(MakeDeleteCommand(doc, *block), nullptr);
    auto stranger = doc.CreateBlock(kTypeSum);
    EXPECT_EQ(MakeDeleteCommand(doc, *stranger), nullptr);
    CBlock* gainBlock = Place(kTypeGain, 2, 2);
    for (int k : {0, 2, 4}) EXPECT_EQ(MakeConnectCommand(*gainBlock, k, *doc.Clock()), nullptr);
    EXPECT_EQ(MakePlaceCommand(nullptr, {1, 1}), nullptr);
}

}  // namespace
}  // namespace ondrel::test
