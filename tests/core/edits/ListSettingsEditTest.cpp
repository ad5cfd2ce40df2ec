// The List Parameters change: applied and reverted any number of times, the chart's bytes
// (the list's record with its look, title, notes and columns, an unresolved column
// included) go back and forth exactly, every time with a refresh of the views.
#include "CommandChart.h"
#include "core/model/edits/ListSettingsEdit.h"
#include "core/model/views/ListViewState.h"

namespace ondrel::test {
namespace {

class ListSettingsEditTest : public CommandChart {};

TEST_F(ListSettingsEditTest, ApplyAndRevertGiveBackEitherRecordExactly) {
    CBlock* first = Place(kTypeSineWaveGenerator, 2, 0);
    CBlock* second = Place(kTypeSineWaveGenerator, 3, 0);
    ListViewState* list = host.OpenListView(doc);
    ASSERT_NE(list, nullptr);
    list->CompleteDefaults(doc);
    BlockReference unresolved;
    unresolved.unresolvedPosition = {7, 7};
    list->displayedBlocks.push_back(unresolved);
    const auto before = Bytes();
    const ListViewValues original = ListViewValues::Of(*list);

    // The dialog's values: another format, title and notes, the columns reordered.
    list->Precision = 6;
    list->Extra = 2;
    list->NotesDisplay = 1;
    list->title = "Waves";
    list->notes = "two\nlines";
    list->displayedBlocks = {BlockReference(second), unresolved, BlockReference(first)};
    ListViewValues edited = ListViewValues::Of(*list);
    const auto after = Bytes();
    original.PutInto(*list);
    ASSERT_EQ(Bytes(), before);

    auto command = MakeListSettingsCommand(*list, ListSettingsEdit::Capture(*list, std::move(edited)));
    EXPECT_EQ(command->Name(), "List Parameters");
    for (int round = 0; round < 2; ++round) {
        views.notices.clear();
        doc.SetModifiedFlag(false);
        command->Apply(doc);
        EXPECT_EQ(Bytes(), after) << "round " << round;
        EXPECT_EQ(list->Precision, 6);
        EXPECT_TRUE(doc.IsModified());
        command->Revert(doc);
        EXPECT_EQ(Bytes(), before) << "round " << round;
        EXPECT_EQ(list->displayedBlocks.back().StoredPosition(), (GridPoint{7, 7}));
        EXPECT_EQ(views.notices, (std::vector<Notice>{{UpdateHint::Refresh, nullptr}, {UpdateHint::Refresh, nullptr}}));
    }
}

}  // namespace
}  // namespace ondrel::test
