#include "ReportTestChart.h"
#include "core/model/edits/TextOptionsEdit.h"

namespace ondrel::test {
namespace {

TEST_F(ReportTestChart, TextOptionsApplyRevertAndDropDeletedBlocks) {
    CBlock* a = Add(kTypeGain, "a", 1);
    CBlock* b = Add(kTypeGain, "b", 2);
    view.ChooseEverything(doc);
    view.title = "old";
    TextViewState edited;
    edited.FilterBlocks = 1;
    edited.AutoUpdate = 1;
    TextFilterChoice chosen;
    chosen.blocks = {a, b};
    chosen.types = {"Gain"};
    auto command = MakeTextOptionsCommand(
        view, TextOptionsEdit::Capture(view, edited.settings, "new", "notes", chosen));
    EXPECT_EQ(command->Name(), "Text Options");
    const TextFilterChoice everything = view.chosen;

    doc.SetModifiedFlag(false);
    command->Apply(doc);
    EXPECT_EQ(view.FilterBlocks, 1);
    EXPECT_EQ(view.AutoUpdate, 1);
    EXPECT_EQ(view.title, "new");
    EXPECT_EQ(view.notes, "notes");
    EXPECT_EQ(view.chosen, chosen);
    EXPECT_EQ(view.optionsRevision, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReportBlocks(view, doc).size(), 2u);

    // b leaves the chart: the view drops it at once, and neither undo nor redo brings back
    // the pointer the command still holds.
    view.OnBlockDeleting(*b, doc);
    DetachedBlock detached = doc.DetachBlock(b);
    EXPECT_EQ(view.chosen.blocks, std::vector<CBlock*>{a});
    command->Revert(doc);
    EXPECT_EQ(view.FilterBlocks, 0);
    EXPECT_EQ(view.title, "old");
    EXPECT_EQ(view.chosen.blocks, (std::vector<CBlock*>{doc.Clock(), a}));
    EXPECT_EQ(view.chosen.types, everything.types);
    command->Apply(doc);
    EXPECT_EQ(view.chosen.blocks, std::vector<CBlock*>{a});
    EXPECT_EQ(view.optionsRevision, 3);
}

}  // namespace
}  // namespace ondrel::test
