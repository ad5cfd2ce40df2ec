#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/io/CArchive.h"

namespace ondrel {
namespace {

std::vector<std::uint8_t> Written(const std::string& s) {
    CArchive ar = CArchive::ForWriting();
    ar.WriteString(s);
    return ar.TakeBuffer();
}

TEST(CArchive, StringPrefixesAtEveryBoundary) {
    struct Case {
        std::size_t length;
        std::vector<std::uint8_t> prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        std::string s(c.length, 'x');
        auto bytes = Written(s);
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin())) << c.length;
        CArchive in = CArchive::ForReading(bytes);
        EXPECT_EQ(in.ReadString(), s);
        EXPECT_FALSE(in.Failed());
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(CArchive, PrimitivesAreLittleEndianAndRoundTrip) {
    CArchive out = CArchive::ForWriting();
    out.WriteDouble(113.0);
    out.WriteInt32(-99);
    out.WriteUInt16(61589);
    out.WriteUInt32(0x00FF0000u);
    out.WriteByte(7);
    const std::vector<std::uint8_t> expectedStart{0, 0, 0, 0, 0, 0x40, 0x5C, 0x40, 0x9D, 0xFF, 0xFF, 0xFF};
    const auto& bytes = out.Buffer();
    ASSERT_GE(bytes.size(), expectedStart.size());
    EXPECT_TRUE(std::equal(expectedStart.begin(), expectedStart.end(), bytes.begin()));

    CArchive in = CArchive::ForReading(bytes);
    EXPECT_EQ(in.ReadDouble(), 113.0);
    EXPECT_EQ(in.ReadInt32(), -99);
    EXPECT_EQ(in.ReadUInt16(), 61589);
    EXPECT_EQ(in.ReadUInt32(), 0x00FF0000u);
    EXPECT_EQ(in.ReadByte(), 7);
    EXPECT_FALSE(in.Failed());
    EXPECT_EQ(in.ReadByte(), 0);  // past the end
    EXPECT_TRUE(in.Failed());
}

TEST(CArchive, DamagedLengthsFailWithoutAllocating) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"short length larger than the rest", {0x05, 'a', 'b'}},
        {"uint16 length larger than the rest", {0xFF, 0x00, 0x10, 'a'}},
        {"int32 length near 2 GiB", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
        {"negative int32 length", {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80}},
        {"prefix cut short", {0xFF, 0x01}},
        {"nothing at all", {}},
    };
    for (const auto& c : cases) {
        CArchive in = CArchive::ForReading(c.bytes);
        EXPECT_EQ(in.ReadString(), "") << c.what;
        EXPECT_TRUE(in.Failed()) << c.what;
        EXPECT_EQ(in.ReadInt32(), 0) << c.what << ": stays failed";
    }
}

TEST(CArchive, DoubleVectorsCheckTheirCount) {
    CArchive out = CArchive::ForWriting();
    std::vector<double> values{1.5, -2.0, 3.25};
    out.IoDoubles(values);
    auto bytes = out.TakeBuffer();

    CArchive in = CArchive::ForReading(bytes);
    std::vector<double> back;
    in.IoDoubles(back);
    EXPECT_EQ(back, values);
    EXPECT_FALSE(in.Failed());

    bytes[0] = 0xFF;  // count 255: more than is left
    CArchive damaged = CArchive::ForReading(bytes);
    damaged.IoDoubles(back);
    EXPECT_TRUE(damaged.Failed());
    EXPECT_TRUE(back.empty());

    std::vector<std::uint8_t> negative{0xFF, 0xFF, 0xFF, 0xFF};
    CArchive neg = CArchive::ForReading(negative);
    neg.IoDoubles(back);
    EXPECT_TRUE(neg.Failed());
}

}  // namespace
}  // namespace ondrel
