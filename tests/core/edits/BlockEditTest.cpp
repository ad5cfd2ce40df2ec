#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/ClockBlock.h"
#include "core/blocks/FunctionGenerator.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/BlockEdit.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

class HintRecorder : public IDocumentView {
public:
    void OnUpdate(IDocumentView*, UpdateHint hint, CBlock*) override { hints.push_back(hint); }
    std::vector<UpdateHint> hints;
};

class BlockEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.OnNewDocument();
        doc.AddView(&view);
    }
    void TearDown() override { doc.RemoveView(&view); }

    CBlock* Place(int typeId, int x, int y) {
        doc.PlaceBlock(doc.CreateBlock(typeId), x, y);
        return doc.blockList.back().get();
    }
    // A Constant at (1, 2) feeding input 1 of a Gain at (4, 5).
    void Wire() {
        source = Place(kTypeConstant, 1, 2);
        target = Place(kTypeGain, 4, 5);
        doc.ConnectInput(target, 1, source);
        doc.SetModifiedFlag(false);
        view.hints.clear();
    }

    test::RecordingPlatform platform;  // before the document: it reads the profile when made
    CTarvekDoc doc;
    HintRecorder view;
    CBlock* source = nullptr;
    CBlock* target = nullptr;
};

TEST_F(BlockEditTest, AppliedEditReadsBackAndTheEditBeforeItRestoresTheBlock) {
    Wire();
    const BlockEdit before = BlockEdit::From(*target);
    const RouteRecord routeBefore = target->route[1];
    ASSERT_TRUE(before.HasSource(1));

    BlockEdit after = before;
    after.label = "Amplifier";
    after.notes = "two\r\nlines";
    after.color = MakeColor(1, 2, 3);
    after.initFlag = 1;
    after.param = {0.0, 2.5, -1.0, 1e-9};
    after.ClearInput(1);
    ApplyBlockEdit(doc, *target, after);

    EXPECT_EQ(BlockEdit::From(*target), after);
    EXPECT_EQ(target->input[1], nullptr);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.hints, std::vector<UpdateHint>{UpdateHint::Refresh});

    ApplyBlockEdit(doc, *target, before);
    EXPECT_EQ(BlockEdit::From(*target), before);
    EXPECT_EQ(target->input[1], source);
    EXPECT_EQ(target->route[1], routeBefore);
}

TEST_F(BlockEditTest, ChangingOrientationReroutesTheBlocksConnectors) {
    Wire();
    CBlock* next = Place(kTypeGain, 8, 5);
    doc.ConnectInput(next, 1, target);
    const RouteRecord into = target->route[1];
    const RouteRecord outOf = next->route[1];

    BlockEdit edit = BlockEdit::From(*target);
    edit.flipped = 1;
    ApplyBlockEdit(doc, *target, edit);

    EXPECT_EQ(target->flipped, 1);
    EXPECT_NE(target->route[1], into);
    EXPECT_NE(next->route[1], outOf);
}

TEST_F(BlockEditTest, TheClocksOutputsFollowItsNewLabel) {
    auto* clock = dynamic_cast<CClockBlock*>(doc.Clock());
    ASSERT_NE(clock, nullptr);
    ASSERT_NE(clock->ErrorBlock(), nullptr);
    clock->ErrorBlock()->value = 3.0;

    BlockEdit edit = BlockEdit::From(*clock);
    edit.label = "Timer";
    ApplyBlockEdit(doc, *clock, edit);

    EXPECT_EQ(clock->ErrorBlock()->label, "TimerError");
    EXPECT_EQ(clock->CountBlock()->label, "TimerCount");
    EXPECT_EQ(clock->ErrorBlock()->value, 0.0);  // Setup ran, not just a relabel
}

TEST(BlockEditText, TypedParametersUseTheStandardDecimalConversion) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {{"abc", 0.0}, {"", 0.0}, {"  2.5xyz", 2.5}, {"-1e3", -1000.0},
                          {"7,5", 7.0}};
    for (const Case& c : cases) {
        BlockEdit edit;
        edit.param[2] = 99.0;
        edit.SetParamText(2, c.text);
        EXPECT_EQ(edit.param[2], c.expected) << c.text;
    }
}

TEST(BlockEditText, ValuesAreShownInTheirEditingForms) {
    EXPECT_EQ(ParamText(0.1), "0.1");
    EXPECT_EQ(ParamText(1234567.0), "1.23457e+006");
    EXPECT_EQ(CurrentValueText(1234567.0), "1.2346e+006");
    EXPECT_EQ(CurrentValueText(0.5), "0.5");
}

TEST_F(BlockEditTest, ANewTableOrNewBoundsArePreparedAgain) {
    Wire();
    auto* generator = dynamic_cast<CFunctionGeneratorBlock*>(Place(kTypeFunctionGenerator, 4, 9));
    ASSERT_NE(generator, nullptr);
    doc.ConnectInput(generator, 1, source);
    generator->SetOrdinates({0.0, 0.0, 0.0});
    source->value = 0.5;
    generator->Compute();
    ASSERT_EQ(generator->value, 0.0);

    BlockEdit edit = BlockEdit::From(*generator);
    ASSERT_TRUE(edit.ordinates.has_value());
    edit.ordinates = std::vector<double>{0.0, 1.0, 0.0};
    ApplyBlockEdit(doc, *generator, edit);
    EXPECT_EQ(generator->PreparedPoints(), 0u);
    generator->Compute();
    EXPECT_DOUBLE_EQ(generator->value, 1.0);  // the middle ordinate at the middle of 0..1

    edit.param[2] = 2.0;  // upper bound: 0.5 is now a quarter of the way along
    ApplyBlockEdit(doc, *generator, edit);
    generator->Compute();
    EXPECT_GT(generator->value, 0.0);
    EXPECT_LT(generator->value, 1.0);
}

TEST_F(BlockEditTest, OtherTypesCarryNoTable) {
    Wire();
    EXPECT_FALSE(BlockEdit::From(*target).ordinates.has_value());
}

}  // namespace
}  // namespace ondrel
