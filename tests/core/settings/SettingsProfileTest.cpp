// Settings in the user profile: exact keys and texts, defaults, and bound members.
#include <gtest/gtest.h>

#include <string>

#include "core/settings/CSettingsGroup.h"
#include "settings/SettingsTestOwner.h"
#include "support/RecordingPlatform.h"

namespace ondrel::test {
namespace {

TEST(SettingsProfile, AbsentKeysGiveTheDefaults) {
    RecordingPlatform platform;
    SettingsOwner owner;
    EXPECT_EQ(owner.showGrid, 1);
    EXPECT_EQ(owner.style, 2);
    EXPECT_EQ(owner.font, FontDescription{});
    EXPECT_EQ(owner.fontColor, MakeColor(0, 0, 128));
    EXPECT_EQ(owner.title, "Untitled");
    EXPECT_EQ(owner.count, 10);
    EXPECT_EQ(owner.step, 0.01);
    EXPECT_EQ(platform.profile.Size(), 0u);
}

TEST(SettingsProfile, WritesTheExactKeysOfEveryType) {
    RecordingPlatform platform;
    SettingsOwner owner;
    owner.SetUnusual();
    owner.step = 100.0;
    SettingsOwner dialog;
    dialog.group.AssignFrom(owner.group);
    dialog.group.WriteProfile();

    MemoryProfile& p = platform.profile;
    const char* fontKeys[] = {".Height", ".Width", ".Escapement", ".Orientation", ".Weight",
                              ".Italic", ".Underline", ".StrikeOut", ".CharSet",
                              ".OutPrecision", ".ClipPrecision", ".Quality",
                              ".PitchAndFamily", ".FaceName"};
    for (const char* key : fontKeys) EXPECT_TRUE(p.Has("MainView", std::string("ChartLf") + key)) << key;
    for (const char* key : {"BackRed", "BackGreen", "BackBlue", "FontColorRed", "ShowGrid",
                            "Style", "Title", "Count", "Step"})
        EXPECT_TRUE(p.Has("MainView", key)) << key;
    // 14 font keys, 2 x 3 colour keys and one key each for the other five items.
    EXPECT_EQ(p.Size(), 14u + 6u + 5u);
    EXPECT_EQ(p.GetInt("MainView", "ChartLf.Height", 0), -20);
    EXPECT_EQ(p.GetInt("MainView", "ChartLf.PitchAndFamily", 0), 34);
    EXPECT_EQ(p.GetString("MainView", "ChartLf.FaceName", ""), "Courier New");
    EXPECT_EQ(p.GetInt("MainView", "BackRed", 0), 200);
    EXPECT_EQ(p.GetInt("MainView", "BackGreen", 0), 100);
    EXPECT_EQ(p.GetInt("MainView", "BackBlue", 0), 50);
    EXPECT_EQ(p.GetString("MainView", "Step", ""), "1.000000e+002");
    EXPECT_EQ(p.GetString("MainView", "Title", ""), "Damped spring");
}

TEST(SettingsProfile, NewOwnerStartsFromWhatWasWritten) {
    RecordingPlatform platform;
    SettingsOwner first;
    first.SetUnusual();
    first.step = 0.25;  // exact in "%e", unlike 1/3
    SettingsOwner dialog;
    dialog.group.AssignFrom(first.group);
    dialog.group.WriteProfile();

    SettingsOwner second;
    EXPECT_TRUE(second.SameMembers(first));
}

TEST(SettingsProfile, ReadAndResetChangeItemsButNotBoundMembers) {
    RecordingPlatform platform;
    platform.profile.WriteString("Model", "Tmax", "2.5e-003");
    platform.profile.WriteInt("Model", "Steps", 77);
    double tmax = 0;
    int steps = 0;
    CSettingsGroup group;
    group.SetSection("Model");
    group.AddDouble({.name = "Tmax", .controlId = 1, .bound = &tmax, .defaultValue = 10.0});
    group.AddInt({.name = "Steps", .controlId = 2, .bound = &steps, .defaultValue = 5});
    EXPECT_EQ(tmax, 0.0025);
    EXPECT_EQ(steps, 77);

    group.ResetToDefaults();
    EXPECT_EQ(*group.FindValue<double>(1), 10.0);
    EXPECT_EQ(*group.FindValue<int>(2), 5);
    EXPECT_EQ(tmax, 0.0025);

    platform.profile.WriteInt("Model", "Steps", 3);
    group.ReadProfile();
    EXPECT_EQ(*group.FindValue<int>(2), 3);
    EXPECT_EQ(steps, 77);
}

TEST(SettingsProfile, FontComponentsDefaultSeparately) {
    RecordingPlatform platform;
    platform.profile.WriteInt("TextView", "Lf.Weight", 700);
    platform.profile.WriteString("TextView", "Lf.FaceName", std::string(40, 'Q'));
    FontDescription standard;
    standard.faceName = "Arial";
    FontDescription font;
    CSettingsGroup group;
    group.SetSection("TextView");
    group.AddFont({.name = "Lf", .controlId = 1, .bound = &font, .defaultValue = standard});
    FontDescription expected = standard;
    expected.weight = 700;
    expected.faceName = std::string(31, 'Q');
    EXPECT_EQ(font, expected);
    EXPECT_EQ(group.FindDefault<FontDescription>(1)->faceName, "Arial");
    EXPECT_EQ(group.FindDefault<FontDescription>(99), nullptr);
}

}  // namespace
}  // namespace ondrel::test
