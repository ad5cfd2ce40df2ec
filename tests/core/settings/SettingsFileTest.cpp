// Settings in chart files: round trips, version gating and damaged input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/io/CArchive.h"
#include "core/settings/CSettingsGroup.h"
#include "core/settings/SettingItems.h"
#include "support/RecordingPlatform.h"
#include "settings/SettingsTestOwner.h"

namespace ondrel::test {
namespace {

std::vector<std::uint8_t> Write(CSettingsGroup& group, double version) {
    CArchive ar = CArchive::ForWriting();
    group.Serialize(ar, version);
    return ar.TakeBuffer();
}

TEST(SettingsFile, WriteThenReadRestoresEveryBoundMember) {
    RecordingPlatform platform;
    SettingsOwner written;
    written.SetUnusual();
    const auto bytes = Write(written.group, 1.13);

    SettingsOwner read;
    ASSERT_FALSE(read.SameMembers(written));
    CArchive in = CArchive::ForReading(bytes);
    read.group.Serialize(in, 1.13);
    EXPECT_FALSE(in.Failed());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_TRUE(read.SameMembers(written));
}

TEST(SettingsFile, ValuesUseTheirStoredFormats) {
    RecordingPlatform platform;
    bool flag = false;
    int number = 0;
    double x = 0;
    ColorRef color = 0;
    CSettingsGroup group;
    group.AddCheck({.name = "F", .controlId = 1, .bound = &flag, .defaultValue = false});
    group.AddInt({.name = "N", .controlId = 2, .bound = &number, .defaultValue = 0});
    group.AddColor({.name = "C", .controlId = 3, .bound = &color, .defaultValue = 0});
    group.AddDouble({.name = "X", .controlId = 4, .bound = &x, .defaultValue = 0});
    flag = true;  // a set flag is stored as the 32-bit 1
    number = -2;
    color = MakeColor(0x11, 0x22, 0x33);
    x = 1.0;
    const std::vector<std::uint8_t> expected = {
        1, 0, 0, 0,                                         // flag
        0xFE, 0xFF, 0xFF, 0xFF,                             // -2
        0x11, 0x22, 0x33, 0x00,                             // red in the low byte
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F};    // 1.0
    EXPECT_EQ(Write(group, 1.0), expected);
}

TEST(SettingsFile, CheckFlagTakesOnlyTheLowByte) {
    RecordingPlatform platform;
    const std::pair<std::int32_t, int> cases[] = {{0, 0}, {1, 1}, {0x100, 0}, {0x201, 1}, {-256, 0}, {0xFF, 1}};
    for (const auto& [stored, flag] : cases) {
        bool member = flag == 0;  // the opposite, so every case shows the read
        CSettingsGroup group;
        group.AddCheck({.name = "F", .controlId = 1, .bound = &member, .defaultValue = false});
        CArchive out = CArchive::ForWriting();
        out.WriteInt32(stored);
        CArchive in = CArchive::ForReading(out.Buffer());
        group.Serialize(in, 1.0);
        EXPECT_EQ(member, flag) << stored;
    }
}

TEST(SettingsFile, FileOlderThanEverySinceChangesNothing) {
    RecordingPlatform platform;
    SettingsOwner owner(1.1);
    owner.SetUnusual();
    SettingsOwner before(1.1);
    before.SetUnusual();
    const std::vector<std::uint8_t> bytes(64, 0xAB);
    CArchive in = CArchive::ForReading(bytes);
    owner.group.Serialize(in, 1.05);
    EXPECT_TRUE(owner.SameMembers(before));
    EXPECT_EQ(in.Remaining(), bytes.size());
}

// Items of a group with one item since 1.1 and one until 1.1, around an always-present one.
struct GatedOwner {
    int always = 0, added = 0, dropped = 0;
    CSettingsGroup group;
    GatedOwner() {
        group.AddInt({.name = "Always", .controlId = 1, .bound = &always, .defaultValue = 0});
        group.AddInt({.since = 1.1, .name = "Added", .controlId = 2, .bound = &added,
                      .defaultValue = 0});
        group.AddInt({.until = 1.1, .name = "Dropped", .controlId = 3, .bound = &dropped,
                      .defaultValue = 0});
    }
};

TEST(SettingsFile, ItemWithUntilIsNeverWritten) {
    RecordingPlatform platform;
    GatedOwner owner;
    owner.always = 1;
    owner.added = 2;
    owner.dropped = 3;
    CArchive out = CArchive::ForWriting();
    owner.group.Serialize(out, 1.13);
    CArchive in = CArchive::ForReading(out.Buffer());
    EXPECT_EQ(out.Buffer().size(), 8u);
    EXPECT_EQ(in.ReadInt32(), 1);
    EXPECT_EQ(in.ReadInt32(), 2);
}

TEST(SettingsFile, SinceAndUntilGateReadingAtTheirBoundaries) {
    RecordingPlatform platform;
    struct Case {
        double version;
        bool readsAdded;
        bool readsDropped;
    };
    const Case cases[] = {{1.0, false, true}, {1.1, true, true}, {1.13, true, false}};
    for (const auto& c : cases) {
        CArchive out = CArchive::ForWriting();
        out.WriteInt32(11);
        if (c.readsAdded) out.WriteInt32(22);
        if (c.readsDropped) out.WriteInt32(33);
        GatedOwner owner;
        CArchive in = CArchive::ForReading(out.Buffer());
        owner.group.Serialize(in, c.version);
        EXPECT_TRUE(in.AtEnd() && !in.Failed()) << c.version;
        EXPECT_EQ(owner.always, 11) << c.version;
        EXPECT_EQ(owner.added, c.readsAdded ? 22 : 0) << c.version;
        EXPECT_EQ(owner.dropped, c.readsDropped ? 33 : 0) << c.version;
    }
}

TEST(SettingsFile, ZeroVersionKeepsTheGroupsVersion) {
    RecordingPlatform platform;
    GatedOwner owner;
    CArchive out = CArchive::ForWriting();
    owner.group.Serialize(out, 1.05);
    owner.group.Serialize(out, 0);
    EXPECT_EQ(owner.group.Version(), 1.05);
}

TEST(SettingsFile, LongFaceNameIsCutTo31Characters) {
    RecordingPlatform platform;
    FontDescription font;
    CSettingsGroup group;
    group.AddFont({.name = "ChartLf", .controlId = 1, .bound = &font});
    const std::string face(40, 'F');
    CArchive out = CArchive::ForWriting();
    for (int i = 0; i < 5; ++i) out.WriteInt32(i + 1);
    for (int i = 0; i < 8; ++i) out.WriteByte(static_cast<std::uint8_t>(10 + i));
    out.WriteString(face);
    CArchive in = CArchive::ForReading(out.Buffer());
    group.Serialize(in, 1.0);
    EXPECT_EQ(font.faceName, face.substr(0, 31));
    EXPECT_EQ(font.height, 1);
    EXPECT_EQ(font.weight, 5);
    EXPECT_EQ(font.italic, 10);
    EXPECT_EQ(font.pitchAndFamily, 17);
    // A multi-byte character straddling the limit is dropped whole.
    EXPECT_EQ(FitFaceName(std::string(30, 'a') + "\xC3\xA9z"), std::string(30, 'a'));
}

TEST(SettingsFile, TruncatedFileLeavesEveryMemberWrittenOrUnchanged) {
    RecordingPlatform platform;
    SettingsOwner written;
    written.SetUnusual();
    const auto bytes = Write(written.group, 1.13);
    const SettingsOwner fresh;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        SettingsOwner read;
        CArchive in = CArchive::ForReading(std::span(bytes.data(), length));
        read.group.Serialize(in, 1.13);
        EXPECT_TRUE(in.Failed()) << length;
        // Members are each either the stored value or the one they had; never a half-read.
        EXPECT_TRUE(read.font == written.font || read.font == fresh.font) << length;
        EXPECT_TRUE(read.step == written.step || read.step == fresh.step) << length;
        EXPECT_TRUE(read.back == written.back || read.back == fresh.back) << length;
        EXPECT_TRUE(read.title == written.title || read.title == fresh.title) << length;
        EXPECT_TRUE(read.count == written.count || read.count == fresh.count) << length;
    }
}

TEST(SettingsFile, HugeStringLengthFailsWithoutReadingOn) {
    RecordingPlatform platform;
    std::string title = "kept";
    int after = 9;
    CSettingsGroup group;
    group.AddText({.name = "Title", .controlId = 1, .bound = &title, .defaultValue = ""});
    group.AddInt({.name = "After", .controlId = 2, .bound = &after, .defaultValue = 0});
    title = "kept";
    after = 9;
    const std::vector<std::uint8_t> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 1, 0, 0, 0};
    CArchive in = CArchive::ForReading(bytes);
    group.Serialize(in, 1.0);
    EXPECT_TRUE(in.Failed());
    EXPECT_EQ(title, "kept");
    EXPECT_EQ(after, 9);
}

}  // namespace
}  // namespace ondrel::test
