#include <gtest/gtest.h>

#include "core/platform/Platform.h"
#include "core/platform/StringTable.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

TEST(StringTable, HoldsNamesPromptsAndMessages) {
    EXPECT_EQ(LoadString(61589), "Clock");
    EXPECT_EQ(LoadString(61627), "Wye");
    EXPECT_FALSE(HasString(61622));
    EXPECT_EQ(LoadString(61583), "needs the second input filled.");
    EXPECT_EQ(LoadString(57344), "Ondrel");
    EXPECT_EQ(CommandPrompt(32829), "Begins a simulation");
    EXPECT_EQ(CommandToolTip(32829), "Run");
    EXPECT_EQ(CommandPrompt(155), "Set debugging options");
    EXPECT_EQ(CommandToolTip(155), "");
    EXPECT_EQ(LoadString(1), "");
}

TEST(Platform, ScopedServicesAreRestored) {
    IMessageBox* before = Platform().messageBox;
    {
        test::RecordingPlatform platform;
        platform.messages.answers = {MsgResult::Cancel};
        EXPECT_EQ(ShowMessage("a", "b", MsgButtons::OkCancel, MsgIcon::Error), MsgResult::Cancel);
        EXPECT_EQ(ShowMessage("c", "d"), MsgResult::Ok);
        ASSERT_EQ(platform.messages.shown.size(), 2u);
        EXPECT_EQ(platform.messages.shown[0].caption, "b");
        EXPECT_EQ(platform.messages.shown[0].icon, MsgIcon::Error);
        Profile().WriteInt("Model", "MaxSort", 7);
        EXPECT_EQ(platform.profile.GetInt("Model", "MaxSort", 0), 7);
    }
    EXPECT_EQ(Platform().messageBox, before);
}

TEST(MemoryProfile, AbsentKeysGiveDefaultsAndIntsReadAsText) {
    MemoryProfile p;
    EXPECT_EQ(p.GetInt("S", "k", 5), 5);
    EXPECT_EQ(p.GetString("S", "k", "x"), "x");
    p.WriteInt("S", "k", -3);
    EXPECT_EQ(p.GetString("S", "k", ""), "-3");
    p.WriteString("S", "t", "junk");
    EXPECT_EQ(p.GetInt("S", "t", 9), 0);
}

}  // namespace
}  // namespace ondrel
