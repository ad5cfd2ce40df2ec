// What a user is told about a file that is not a chart this program can read: the message,
// the "Load Error" caption, the error icon and the file's path as the detail line.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <tuple>

#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "core/platform/StatusSink.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ChartWithVersion(double version) {
    CTarvekDoc doc;
    doc.OnNewDocument();
    StateOnlyViewHost host;
    std::vector<std::uint8_t> bytes = ChartBytes(doc, host);
    std::memcpy(bytes.data(), &version, sizeof version);
    return bytes;
}

std::vector<std::uint8_t> RandomBytes(unsigned seed, std::size_t size) {
    std::mt19937 generator(seed);
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(generator());
    return bytes;
}

class LoadMessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("ondrel-load-messages-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    test::RecordingPlatform platform;
    fs::path dir;
};

TEST_F(LoadMessagesTest, EveryRefusalNamesTheFileUnderLoadErrorWithTheErrorIcon) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        std::string name;
        std::vector<std::uint8_t> bytes;
        std::string message;
    };
    std::vector<Case> cases = {
        {"v114.cht", ChartWithVersion(114.0), kNeedNewerVersion},
        {"v999.cht", ChartWithVersion(999.0), kNeedNewerVersion},
        {"v1000.cht", ChartWithVersion(1000.0), kNeedNewerVersion},
        {"v1001.cht", ChartWithVersion(1001.0), kInvalidData},
        {"vnan.cht", ChartWithVersion(nan), kInvalidData},
        {"vinf.cht", ChartWithVersion(inf), kInvalidData},
        {"vneginf.cht", ChartWithVersion(-inf), kInvalidData},
        {"vminus1.cht", ChartWithVersion(-1.0), kInvalidData},
        {"vzero.cht", ChartWithVersion(0.0), kInvalidData},
        {"empty.cht", {}, kInvalidData},
    };
    for (unsigned seed : {1u, 2u, 3u, 42u, 1234u, 99991u})
        cases.push_back({"random" + std::to_string(seed) + ".cht", RandomBytes(seed, 64 + seed % 4000), kInvalidData});

    const std::string folder = (dir / "folder.cht").string();
    fs::create_directory(folder);
    const std::string fifo = (dir / "pipe.cht").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    std::vector<std::pair<std::string, std::string>> expected;  // path, message
    for (const Case& c : cases) expected.emplace_back(Write(c.name, c.bytes), c.message);
    // Neither may wait: opening the FIFO for reading would block until a writer came.
    for (const std::string& path : {folder, fifo, std::string("/dev/zero")})
        expected.emplace_back(path, "Unable to open " + path + ": " + kNotRegularFile);

    for (const auto& [path, message] : expected) {
        platform.messages.shown.clear();
        CTarvekDoc doc;
        StateOnlyViewHost host;
        EXPECT_FALSE(LoadChartFile(path, doc, host)) << path;
        ASSERT_EQ(platform.messages.shown.size(), 1u) << path;
        const test::ShownMessage& shown = platform.messages.shown[0];
        EXPECT_EQ(shown.text, message) << path;
        EXPECT_EQ(shown.caption, kLoadErrorCaption) << path;
        EXPECT_EQ(shown.icon, MsgIcon::Error) << path;
        EXPECT_EQ(shown.detail, path) << path;
    }
}

TEST_F(LoadMessagesTest, AnInputWithoutItsSourceNamesTheFileToo) {
    // A chart whose Gain is fed from a position no block holds: reading goes on.
    CTarvekDoc doc;
    doc.OnNewDocument();
    doc.PlaceBlock(doc.CreateBlock(61631), 3, 3);
    doc.PlaceBlock(doc.CreateBlock(61625), 1, 3);
    CBlock* constant = doc.blockList.back().get();
    doc.blockList[doc.blockList.size() - 2]->input[1] = constant;
    StateOnlyViewHost host;
    std::vector<std::uint8_t> bytes = ChartBytes(doc, host);
    // Move the Constant in its header (the last one) so the Gain's source is gone.
    const std::size_t headersEnd = 8 + 5 * 4 + 8 + 1 + 4 + 3 * 10;
    bytes[headersEnd - 8] = 9;
    const std::string path = Write("orphan.cht", bytes);
    platform.messages.shown.clear();
    CTarvekDoc loaded;
    EXPECT_TRUE(LoadChartFile(path, loaded, host));
    ASSERT_FALSE(platform.messages.shown.empty());
    const test::ShownMessage& shown = platform.messages.shown[0];
    EXPECT_EQ(shown.text.rfind("Unable to find a match for input 1", 0), 0u) << shown.text;
    EXPECT_EQ(shown.caption, kLoadErrorCaption);
    EXPECT_EQ(shown.icon, MsgIcon::Error);
    EXPECT_EQ(shown.detail, path);
}

// A chart whose blocks "First" and "Second" (read in that order) are both fed from a Constant
// that no longer stands where their records say: reading goes on past both.
std::vector<std::uint8_t> TwoOrphanedInputs() {
    CTarvekDoc doc;
    doc.OnNewDocument();
    std::vector<CBlock*> gains;
    for (const char* label : {"First", "Second"}) {
        auto gain = doc.CreateBlock(61631);
        gain->label = label;
        gains.push_back(doc.PlaceBlock(std::move(gain), 3 + 2 * static_cast<int>(gains.size()), 3));
    }
    CBlock* source = doc.PlaceBlock(doc.CreateBlock(61625), 1, 3);
    for (CBlock* gain : gains) gain->input[1] = source;
    StateOnlyViewHost host;
    std::vector<std::uint8_t> bytes = ChartBytes(doc, host);
    // Move the Constant in its header (the last of four) so both sources are gone.
    const std::size_t headersEnd = 8 + 5 * 4 + 8 + 1 + 4 + 4 * 10;
    bytes[headersEnd - 8] = 9;
    return bytes;
}

using StatusFields = std::tuple<std::string, std::string, MsgButtons, MsgIcon, std::string>;

std::vector<std::string> ShownTexts(const test::RecordingPlatform& platform) {
    std::vector<std::string> texts;
    for (const auto& shown : platform.messages.shown) texts.push_back(shown.text);
    return texts;
}

// A chart read without samples is initialised, whose input check speaks up about the
// orphaned inputs: the load errors must keep their place before it.
TEST_F(LoadMessagesTest, ALoadReportsItsStatusesInTheOrderTheyWereFound) {
    const std::string orphaned = "Unable to find a match for input 1 of block '";
    const std::vector<std::string> inputCheck = {"A Gain block, First, needs the first input filled.",
                                                 "A Gain block, Second, needs the first input filled."};
    std::vector<std::uint8_t> cutShort = TwoOrphanedInputs();
    cutShort.pop_back();
    struct Case {
        std::string name;
        std::vector<std::uint8_t> bytes;  // none: the file is not there
        bool loads;
        std::vector<std::string> texts;   // of the statuses, in order; %s: the file's path
        std::vector<std::string> shownAfter;  // what the initialisation after the read shows
    };
    const std::vector<Case> cases = {
        {"whole.cht", ChartWithVersion(113.0), true, {}, {}},
        {"orphans.cht", TwoOrphanedInputs(), true, {orphaned + "First'.", orphaned + "Second'."}, inputCheck},
        {"cut.cht", cutShort, false, {orphaned + "First'.", orphaned + "Second'.", kInvalidData}, {}},
        {"newer.cht", ChartWithVersion(114.0), false, {kNeedNewerVersion}, {}},
        {"missing.cht", {}, false, {"Unable to open %s: No such file or directory"}, {}},
    };
    for (const Case& c : cases) {
        const std::string path = c.bytes.empty() ? (dir / c.name).string() : Write(c.name, c.bytes);
        std::vector<StatusFields> expected;
        std::vector<std::string> expectedShown;
        for (std::string text : c.texts) {
            if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, path);
            expected.emplace_back(text, kLoadErrorCaption, MsgButtons::Ok, MsgIcon::Error, path);
            expectedShown.push_back(text);
        }
        expectedShown.insert(expectedShown.end(), c.shownAfter.begin(), c.shownAfter.end());

        // Collected: the statuses come back as values and the load itself shows none of them.
        platform.messages.shown.clear();
        StatusCollector collected;
        CTarvekDoc doc;
        StateOnlyViewHost host;
        EXPECT_EQ(LoadChartFile(path, doc, host, collected), c.loads) << c.name;
        std::vector<StatusFields> reported;
        for (const Status& s : collected.statuses)
            reported.emplace_back(s.text, s.caption, s.buttons, s.icon, s.detail);
        EXPECT_EQ(reported, expected) << c.name;
        EXPECT_EQ(ShownTexts(platform), c.shownAfter) << c.name;

        // Shown as found: each in its place among the other messages of the load.
        platform.messages.shown.clear();
        CTarvekDoc shownDoc;
        EXPECT_EQ(LoadChartFile(path, shownDoc, host, MessageBoxStatuses()), c.loads) << c.name;
        EXPECT_EQ(ShownTexts(platform), expectedShown) << c.name;
    }
}

}  // namespace
}  // namespace ondrel
