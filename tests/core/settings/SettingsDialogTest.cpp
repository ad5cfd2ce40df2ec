// Settings in dialogs: exchange and validation, copies of a group, and chooser buttons.
#include <gtest/gtest.h>

#include <string>

#include "core/platform/NumberFormat.h"
#include "core/settings/CSettingsGroup.h"
#include "core/settings/SettingItems.h"
#include "settings/SettingsTestOwner.h"
#include "support/RecordingPlatform.h"

namespace ondrel::test {
namespace {

struct Typed {
    std::string text;
    bool accepted;
    std::string message;
};

// The exchange that saved text typed into control 7.
FakeExchange SaveTyped(CSettingsGroup& group, const std::string& text) {
    FakeExchange dx(true);
    dx.texts[7] = text;
    group.Exchange(dx);
    return dx;
}

TEST(SettingsDialog, IntValidation) {
    RecordingPlatform platform;
    struct Case {
        int min, max;
        Typed typed;
        int expected;
    };
    const Case cases[] = {
        {0, 0, {" -123456 ", true, ""}, -123456},
        {5, 5, {"100", true, ""}, 100},  // equal bounds: no range
        {1, 10, {"10", true, ""}, 10},
        {1, 10, {"1", true, ""}, 1},
        {1, 10, {"11", false, "Please enter an integer between 1 and 10."}, 4},
        {-5, 10, {"-6", false, "Please enter an integer between -5 and 10."}, 4},
        {0, 0, {"1.5", false, "Please enter an integer."}, 4},
        {0, 0, {"", false, "Please enter an integer."}, 4},
        {0, 0, {"99999999999", false, "Please enter an integer."}, 4},
    };
    for (const auto& c : cases) {
        int member = 4;
        CSettingsGroup group;
        group.AddInt({.name = "N", .controlId = 7, .bound = &member, .defaultValue = 4,
                      .min = c.min, .max = c.max});
        FakeExchange dx = SaveTyped(group, c.typed.text);
        EXPECT_EQ(*group.FindValue<int>(7), c.expected) << c.typed.text;
        if (c.typed.accepted) {
            EXPECT_TRUE(dx.failures.empty()) << c.typed.text;
        } else {
            ASSERT_EQ(dx.failures.size(), 1u) << c.typed.text;
            EXPECT_EQ(dx.failures[0].first, 7);
            EXPECT_EQ(dx.failures[0].second, c.typed.message);
        }
        EXPECT_EQ(member, 4);  // exchange leaves the owner's member alone
    }
}

TEST(SettingsDialog, DoubleValidation) {
    RecordingPlatform platform;
    struct Case {
        double min, max;
        Typed typed;
        double expected;
    };
    const Case cases[] = {
        {0, 0, {"1e300", true, ""}, 1e300},
        {0, 0, {" -2.5E-3 ", true, ""}, -2.5e-3},
        {0, 1, {"2", false, "Please enter a number between 0 and 1."}, 0.5},
        {0.001, 1e6, {"2e6", false, "Please enter a number between 0.001 and 1e+006."}, 0.5},
        {0, 0.1, {"0.1", true, ""}, 0.1},
        {0, 0, {"abc", false, "Please enter a number."}, 0.5},
        {0, 0, {"1.5x", false, "Please enter a number."}, 0.5},
        {0, 0, {"1e999", false, "Please enter a number."}, 0.5},
    };
    for (const auto& c : cases) {
        double member = 0.5;
        CSettingsGroup group;
        group.AddDouble({.name = "X", .controlId = 7, .bound = &member, .defaultValue = 0.5,
                         .min = c.min, .max = c.max});
        FakeExchange dx = SaveTyped(group, c.typed.text);
        EXPECT_EQ(*group.FindValue<double>(7), c.expected) << c.typed.text;
        ASSERT_EQ(dx.failures.size(), c.typed.accepted ? 0u : 1u) << c.typed.text;
        if (!c.typed.accepted) {
            EXPECT_EQ(dx.failures[0].second, c.typed.message);
        }
    }
}

TEST(SettingsDialog, DoublesAreShownInTextThatReadsBackExactly) {
    for (double v : {0.1, 1.0 / 3.0, 100.0, 1e-5, 123456789.0, -2.5e-300, 0.0}) {
        const std::string text = FormatRoundTrip(v);
        double back = 0;
        ASSERT_TRUE(ParseDecimalStrict(text, back)) << text;
        EXPECT_EQ(back, v) << text;
    }
    EXPECT_EQ(FormatRoundTrip(0.1), "0.1");
    EXPECT_EQ(FormatRoundTrip(1e-5), "1e-005");
}

TEST(SettingsDialog, LoadingFillsControlsAndSavingTakesThemBack) {
    RecordingPlatform platform;
    SettingsOwner owner;
    owner.SetUnusual();
    SettingsOwner dialog;
    dialog.group.AssignFrom(owner.group);
    FakeExchange load(false);
    ASSERT_TRUE(dialog.group.Exchange(load));
    EXPECT_EQ(load.checks[kShowGridId], 0);
    EXPECT_EQ(load.radios[kStyleId], 3);
    EXPECT_EQ(load.texts[kTitleId], "Damped spring");
    EXPECT_EQ(load.texts[kCountId], "42");
    EXPECT_EQ(load.texts[kStepId], "0.3333333333333333");
    EXPECT_EQ(load.limits[kTitleId], 20);

    FakeExchange save(true);
    save.checks[kShowGridId] = 1;
    save.radios[kStyleId] = 1;
    save.texts = load.texts;
    save.texts[kCountId] = "7";
    ASSERT_TRUE(dialog.group.Exchange(save));
    owner.group.CopyValuesFrom(dialog.group);
    EXPECT_EQ(owner.showGrid, 1);
    EXPECT_EQ(owner.style, 1);
    EXPECT_EQ(owner.count, 7);
    EXPECT_EQ(owner.step, 1.0 / 3.0);
}

TEST(SettingsDialog, ExchangeStopsAtTheFirstInvalidControl) {
    RecordingPlatform platform;
    SettingsOwner dialog;
    FakeExchange save(true);
    save.texts[kTitleId] = std::string(21, 't');
    save.texts[kCountId] = "500";
    EXPECT_FALSE(dialog.group.Exchange(save));
    ASSERT_EQ(save.failures.size(), 1u);
    EXPECT_EQ(save.failures[0], std::make_pair(int(kTitleId), std::string("Please enter no more than 20 characters.")));
    EXPECT_EQ(*dialog.group.FindValue<int>(kCountId), 10);
    // The limit counts characters: twenty accented letters are forty bytes.
    std::string accented;
    for (int i = 0; i < 20; ++i) accented += "\xC3\xA9";
    save.texts[kTitleId] = accented;
    save.failures.clear();
    EXPECT_TRUE(dialog.group.Exchange(save));
    EXPECT_EQ(*dialog.group.FindValue<std::string>(kTitleId), accented);
}

TEST(SettingsDialog, CopyIsUnboundUntilValuesAreCopiedBack) {
    RecordingPlatform platform;
    SettingsOwner owner;
    owner.count = 55;  // changed by the owner after the group was built
    CSettingsGroup dialog;
    dialog.AssignFrom(owner.group);
    EXPECT_EQ(dialog.Section(), "MainView");
    ASSERT_EQ(dialog.Size(), owner.group.Size());
    EXPECT_EQ(*dialog.FindValue<int>(kCountId), 55);
    EXPECT_EQ(dialog.Item(6).As<CIntSetting>()->Minimum(), 1);
    EXPECT_EQ(dialog.Item(6).As<CIntSetting>()->Maximum(), 1000);
    EXPECT_EQ(dialog.Item(4).As<CTextSetting>()->MaxChars(), 20);
    EXPECT_EQ(*dialog.FindDefault<int>(kCountId), 10);

    *dialog.FindValue<int>(kCountId) = 66;
    *dialog.FindValue<std::string>(kTitleId) = "Copy";
    dialog.ResetToDefaults();
    *dialog.FindValue<int>(kCountId) = 66;
    EXPECT_EQ(owner.count, 55);
    EXPECT_EQ(owner.title, "Untitled");

    owner.group.CopyValuesFrom(dialog);
    EXPECT_EQ(owner.count, 66);
    EXPECT_EQ(owner.title, "Untitled");
    EXPECT_EQ(owner.step, 0.01);
}

TEST(SettingsDialog, ColourButtonTakesTheChosenColour) {
    RecordingPlatform platform;
    SettingsOwner dialog;
    EXPECT_FALSE(dialog.group.OnButton(kBackId));  // cancelled
    platform.dialogs.colorAnswer = MakeColor(9, 8, 7);
    EXPECT_FALSE(dialog.group.OnButton(999));
    ASSERT_EQ(platform.dialogs.colorRequests.size(), 1u);
    EXPECT_EQ(platform.dialogs.colorRequests[0], MakeColor(255, 255, 255));
    EXPECT_TRUE(dialog.group.OnButton(kBackId));
    EXPECT_EQ(*dialog.group.FindValue<ColorRef>(kBackId), MakeColor(9, 8, 7));

    PlatformServices& services = Platform();
    ICommonDialogs* installed = services.dialogs;
    services.dialogs = nullptr;  // no choosers: as if cancelled
    EXPECT_FALSE(dialog.group.OnButton(kBackId));
    services.dialogs = installed;
}

TEST(SettingsDialog, FontButtonUpdatesThePairedColour) {
    RecordingPlatform platform;
    SettingsOwner dialog;
    ICommonDialogs::FontChoice choice;
    choice.font.faceName = "Arial";
    choice.font.underline = 1;
    choice.color = MakeColor(200, 0, 0);
    platform.dialogs.fontAnswer = choice;
    EXPECT_TRUE(dialog.group.OnButton(kFontId));
    ASSERT_EQ(platform.dialogs.fontRequests.size(), 1u);
    EXPECT_EQ(platform.dialogs.fontRequests[0].color, MakeColor(0, 0, 128));
    EXPECT_EQ(*dialog.group.FindValue<FontDescription>(kFontId), choice.font);
    EXPECT_EQ(*dialog.group.FindValue<ColorRef>(kFontColorId), choice.color);
    EXPECT_EQ(*dialog.group.FindValue<ColorRef>(kBackId), MakeColor(255, 255, 255));
    EXPECT_EQ(dialog.fontColor, MakeColor(0, 0, 128));  // owner's member waits for the copy back
}

TEST(SettingsDialog, FontWithoutPairedColourOpensOnBlack) {
    RecordingPlatform platform;
    FontDescription font;
    ColorRef other = MakeColor(1, 1, 1);
    CSettingsGroup group;
    group.AddColor({.name = "Other", .controlId = 5, .bound = &other, .defaultValue = other});
    group.AddFont({.name = "Lf", .controlId = 6, .bound = &font});
    platform.dialogs.fontAnswer = ICommonDialogs::FontChoice{};
    EXPECT_TRUE(group.OnButton(6));
    ASSERT_EQ(platform.dialogs.fontRequests.size(), 1u);
    EXPECT_EQ(platform.dialogs.fontRequests[0].color, MakeColor(0, 0, 0));
    EXPECT_EQ(*group.FindValue<ColorRef>(5), MakeColor(1, 1, 1));
}

}  // namespace
}  // namespace ondrel::test
