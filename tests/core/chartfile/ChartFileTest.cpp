#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/engine/RunDriver.h"
#include "core/blocks/ClockBlock.h"
#include "core/io/CArchive.h"
#include "core/io/ChartFormat.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/ChartViewState.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

constexpr int kGain = 61631;
constexpr int kConstant = 61625;
constexpr int kSum = 61595;

CBlock* Place(CTarvekDoc& doc, int typeId, int x, int y) {
    doc.PlaceBlock(doc.CreateBlock(typeId), x, y);
    return doc.blockList.back().get();
}

// A base record as a chart of any version holds it: no connections, no samples.
void WriteBaseRecord(CArchive& ar, const std::string& label, double p1, double p2, double p3) {
    ar.WriteString(label);
    ar.WriteString("");
    ar.WriteUInt32(0);
    ar.WriteString("");
    ar.WriteInt32(0);
    ar.WriteInt32(0);
    for (double p : {p1, p2, p3}) {
        ar.WriteInt32(-99);
        ar.WriteInt32(-99);
        ar.WriteDouble(p);
        for (int i = 0; i < 4; ++i) ar.WriteInt32(0);
    }
    ar.WriteInt32(0);
}

// A chart holding only the Clock, with the fields a file of that version has.
std::vector<std::uint8_t> ClockOnlyFile(double version, const std::string& title, double maxSteps) {
    CArchive ar = CArchive::ForWriting();
    ar.WriteDouble(version);
    for (int v : {7, 8, 300, 1, 1}) ar.WriteInt32(v);  // VertLines .. PrintMode
    if (version >= kMaxStepsSince) ar.WriteDouble(maxSteps);
    if (version >= kModelTitleSince) ar.WriteString(title);
    ar.WriteInt32(1);
    ar.WriteUInt16(kClockTypeId);
    ar.WriteInt32(3);
    ar.WriteInt32(4);
    WriteBaseRecord(ar, "Clock", 1e-7, 0.25, 1.0);
    WriteBaseRecord(ar, "ClockError", 1, 1, 1);
    WriteBaseRecord(ar, "ClockCount", 1, 1, 1);
    ar.WriteInt32(0);
    return ar.TakeBuffer();
}

struct Loaded {
    std::unique_ptr<CTarvekDoc> doc = std::make_unique<CTarvekDoc>();
    StateOnlyViewHost host;
    bool ok = false;
};

std::unique_ptr<Loaded> Load(const std::vector<std::uint8_t>& bytes) {
    auto loaded = std::make_unique<Loaded>();
    CArchive ar = CArchive::ForReading(bytes);
    loaded->ok = ReadChart(ar, *loaded->doc, loaded->host);
    return loaded;
}

class ChartFileTest : public ::testing::Test {
protected:
    test::RecordingPlatform platform;
};

TEST_F(ChartFileTest, NewChartStartsWithVersion113) {
    CTarvekDoc doc;
    doc.OnNewDocument();
    StateOnlyViewHost host;
    auto bytes = ChartBytes(doc, host);
    const std::vector<std::uint8_t> start{0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x5C, 0x40};
    ASSERT_GT(bytes.size(), start.size());
    EXPECT_TRUE(std::equal(start.begin(), start.end(), bytes.begin()));
}

TEST_F(ChartFileTest, OlderVersionsReadOnlyTheFieldsTheyHold) {
    platform.profile.WriteString("Model", "MaxSteps", "5.000000e+000");
    struct Case {
        double version;
        std::string title;
        double expectedMaxSteps;
        std::string expectedTitle;
    };
    const Case cases[] = {
        {100.0, "", 5.0, ""},
        {101.0, "Pendulum", 5.0, "Pendulum"},
        {102.0, "Pendulum", 250.0, "Pendulum"},
    };
    for (const auto& c : cases) {
        auto loaded = Load(ClockOnlyFile(c.version, c.title, 250.0));
        ASSERT_TRUE(loaded->ok) << c.version;
        CTarvekDoc& doc = *loaded->doc;
        EXPECT_EQ(doc.maxSteps, c.expectedMaxSteps) << c.version;
        EXPECT_EQ(doc.title, c.expectedTitle) << c.version;
        EXPECT_EQ(doc.vertLines, 7);
        EXPECT_EQ(doc.maxSort, 300);
        EXPECT_EQ(doc.intStyle, 1);
        ASSERT_EQ(doc.blockList.size(), 3u);
        EXPECT_EQ(doc.blockList[0]->position, (GridPoint{3, 4}));
        EXPECT_EQ(doc.blockList[1]->position, (GridPoint{-497, 4}));
        EXPECT_EQ(doc.blockList[2]->position, (GridPoint{3, 504}));
        // No samples in the file: opening initialises, one sample per block.
        for (const auto& block : doc.blockList) EXPECT_EQ(block->history.size(), 1u);
        EXPECT_EQ(doc.fileVersion, c.version);
    }
    EXPECT_TRUE(platform.messages.shown.empty());
}

// A chart with wiring in both directions, a connection from the Clock's "Error" output,
// notes, a title, a view record and the samples of a run.
std::unique_ptr<Loaded> RichChart() {
    auto chart = std::make_unique<Loaded>();
    CTarvekDoc& doc = *chart->doc;
    doc.OnNewDocument();
    doc.title = "Ladder";
    CBlock* gain = Place(doc, kGain, 2, 1);
    CBlock* constant = Place(doc, kConstant, 1, 1);
    CBlock* sum = Place(doc, kSum, 3, 1);
    constant->param[1] = 2.5;
    gain->notes = "fed by a block stored after it";
    doc.ConnectInput(gain, 1, constant);
    auto* clock = static_cast<CClockBlock*>(doc.Clock());
    doc.ConnectInput(sum, 1, gain);
    doc.ConnectInput(sum, 2, clock->ErrorBlock());
    ChartViewState* view = chart->host.OpenChartView(doc);
    view->LineWidth = 3;
    RunChart(doc);
    return chart;
}

TEST_F(ChartFileTest, ChartWithSamplesAndViewsComesBackByteIdentical) {
    auto chart = RichChart();
    auto bytes = ChartBytes(*chart->doc, chart->host);
    auto loaded = Load(bytes);
    ASSERT_TRUE(loaded->ok);
    EXPECT_EQ(ChartBytes(*loaded->doc, loaded->host), bytes);

    CTarvekDoc& doc = *loaded->doc;
    auto* clock = static_cast<CClockBlock*>(doc.Clock());
    ASSERT_NE(clock->ErrorBlock(), nullptr);
    EXPECT_EQ(clock->ErrorBlock()->position, (GridPoint{-500, 0}));
    EXPECT_EQ(clock->CountBlock()->position, (GridPoint{0, 500}));
    EXPECT_EQ(clock->ErrorBlock()->history.size(), 11u);
    EXPECT_EQ(doc.auxList.size(), 2u);
    // Headers come first, so the Clock's outputs follow the blocks read from the file.
    CBlock* gain = doc.blockList[1].get();
    CBlock* constant = doc.blockList[2].get();
    CBlock* sum = doc.blockList[3].get();
    EXPECT_EQ(gain->input[1], constant);
    EXPECT_EQ(sum->input[2], clock->ErrorBlock());
    EXPECT_EQ(sum->value, sum->history.front());
    EXPECT_EQ(gain->notes, "fed by a block stored after it");
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(ChartFileTest, RefusedFilesShowOneMessage) {
    auto good = ClockOnlyFile(kProgramFileVersion, "", 100.0);
    auto newer = good;
    CArchive patch = CArchive::ForWriting();
    patch.WriteDouble(kProgramFileVersion + 0.5);
    std::copy(patch.Buffer().begin(), patch.Buffer().end(), newer.begin());
    auto unknownType = good;
    std::size_t typeOffset = 8 + 5 * 4 + 8 + 1 + 4;
    unknownType[typeOffset] = 0x2B;  // 61627 "Wye": a name without a block type
    unknownType[typeOffset + 1] = 0xF0;

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    const Case cases[] = {
        {"newer version", newer, kNeedNewerVersion},
        {"type id without a block", unknownType, kInvalidData},
        {"empty file", {}, kInvalidData},
    };
    for (const auto& c : cases) {
        platform.messages.shown.clear();
        auto loaded = Load(c.bytes);
        EXPECT_FALSE(loaded->ok) << c.what;
        ASSERT_EQ(platform.messages.shown.size(), 1u) << c.what;
        EXPECT_EQ(platform.messages.shown[0].text, c.message) << c.what;
        EXPECT_EQ(platform.messages.shown[0].caption, kLoadErrorCaption) << c.what;
    }
}

TEST_F(ChartFileTest, EveryTruncationIsRefusedAsInvalidData) {
    auto chart = RichChart();
    auto bytes = ChartBytes(*chart->doc, chart->host);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        platform.messages.shown.clear();
        std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        auto loaded = Load(cut);
        ASSERT_FALSE(loaded->ok) << "cut at " << length;
        ASSERT_FALSE(platform.messages.shown.empty()) << "cut at " << length;
        EXPECT_EQ(platform.messages.shown.back().text, kInvalidData) << "cut at " << length;
    }
}

TEST_F(ChartFileTest, SavingIsAtomicAndFailureKeepsTheOldFile) {
    auto dir = std::filesystem::temp_directory_path() / ("ondrel-save-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    auto chart = RichChart();
    std::string path = (dir / "ladder.cht").string();
    ASSERT_TRUE(SaveChartFile(path, *chart->doc, chart->host));
    EXPECT_FALSE(chart->doc->IsModified());

    CTarvekDoc reopened;
    StateOnlyViewHost host;
    ASSERT_TRUE(LoadChartFile(path, reopened, host));
    EXPECT_EQ(reopened.GetTitle(), "Ladder");
    EXPECT_EQ(ChartBytes(reopened, host), ChartBytes(*chart->doc, chart->host));

    // A folder standing where the chart should go cannot be replaced by a file.
    std::string blocked = (dir / "blocked.cht").string();
    std::filesystem::create_directory(blocked);
    std::filesystem::create_directory(std::filesystem::path(blocked) / "keep");
    EXPECT_FALSE(SaveChartFile(blocked, *chart->doc, chart->host));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(blocked) / "keep"));
    EXPECT_EQ(platform.messages.shown.back().caption, "Save Error");
    std::size_t entries = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir)) (void)entry, ++entries;
    EXPECT_EQ(entries, 2u) << "no temporary file is left behind";

    EXPECT_FALSE(LoadChartFile((dir / "missing.cht").string(), reopened, host));
    EXPECT_EQ(platform.messages.shown.back().caption, kLoadErrorCaption);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ondrel
