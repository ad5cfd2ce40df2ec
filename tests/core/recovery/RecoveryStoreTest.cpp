// The recovery folder: what a session leaves behind is offered only once its program has
// ended, only to the one program that claims it, and goes when it is discarded.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/file/RecoveryStore.h"

namespace ondrel {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// The id of a process that has ended (and been reaped), so nothing runs under it.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

class RecoveryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("ondrel-recovery-" + std::to_string(::getpid()));
        fs::remove_all(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::size_t FilesOf(const std::string& session) const {
        std::size_t count = 0;
        for (const auto& item : fs::directory_iterator(dir))
            if (item.path().filename().string().rfind(session, 0) == 0) ++count;
        return count;
    }

    fs::path dir;
};

TEST(RecoveryLocks, OnlyALockOfARunningProcessIsLive) {
    const std::string pid = std::to_string(::getpid());
    const struct {
        std::string text;
        bool live;
    } cases[] = {
        {OwnLockText(), true},
        {pid + " 0\n", true},  // no start time known: the id alone decides
        {pid + " 1\n", false},  // this id, but a process that started at another time
        {std::to_string(EndedProcess()) + " 0\n", false},
        {"1073741824 0\n", false},  // above any process id
        {"0 0\n", false},
        {"-1 0\n", false},
        {pid + " 0", false},
        {pid + "\n", false},
        {"", false},
        {"garbage\n", false},
    };
    for (const auto& c : cases) EXPECT_EQ(LockHolderIsRunning(c.text), c.live) << c.text;
}

TEST(RecoveryInfoRecord, RoundTripsAnyTextAndRefusesDamage) {
    const RecoveryInfo info{"/home/a b\\c\nd\r.cht", "Chart 3 = \\n", -42};
    RecoveryInfo back;
    ASSERT_TRUE(ParseRecoveryInfo(FormatRecoveryInfo(info), back));
    EXPECT_EQ(back.originalPath, info.originalPath);
    EXPECT_EQ(back.title, info.title);
    EXPECT_EQ(back.savedAt, info.savedAt);
    const std::string good = FormatRecoveryInfo(info);
    for (const std::string& damaged :
         {std::string(), std::string("Ondrel recovery 2\nsaved=1\n"), std::string("Ondrel recovery 1\ntitle=x\n"),
          std::string("Ondrel recovery 1\nsaved=12x\n"), std::string("Ondrel recovery 1\nsaved=1\ntitle=a\\q\n"),
          std::string("Ondrel recovery 1\nsaved=1\ntitle=a\\\n"), good + std::string(70000, 'x')})
        EXPECT_FALSE(ParseRecoveryInfo(damaged, back)) << damaged.substr(0, 60);
}

TEST_F(RecoveryStoreTest, ChartsOfAnEndedSessionAreOfferedClaimedAndDiscarded) {
    const std::vector<std::uint8_t> first{1, 2, 3}, second(5000, 7);
    RecoveryStore crashed(dir.string(), "crashed");
    std::string error;
    ASSERT_TRUE(crashed.Open(error)) << error;
    ASSERT_TRUE(crashed.Write(1, first, {"/charts/a.cht", "a.cht", 200}, error)) << error;
    ASSERT_TRUE(crashed.Write(2, second, {"", "Chart2", 100}, error)) << error;
    // An unfinished save (a chart without its side record) and a FIFO are never offered.
    WriteText(dir / "crashed-3.cht", "half");
    ASSERT_EQ(::mkfifo((dir / "crashed-4.info").c_str(), 0600), 0);

    RecoveryStore next(dir.string(), "next");
    ASSERT_TRUE(next.Open(error)) << error;
    EXPECT_TRUE(next.Orphans().empty()) << "the writing program still runs";
    EXPECT_FALSE(next.Claim("crashed"));

    // The program ends without cleaning up: its lock names a process that no longer runs.
    WriteText(dir / "crashed.lock", std::to_string(EndedProcess()) + " 0\n");
    auto orphans = next.Orphans();
    ASSERT_EQ(orphans.size(), 2u);
    EXPECT_EQ(orphans[0].info.title, "Chart2");  // oldest first
    EXPECT_EQ(orphans[0].info.originalPath, "");
    EXPECT_EQ(orphans[1].info.originalPath, "/charts/a.cht");
    EXPECT_EQ(orphans[1].info.savedAt, 200);
    EXPECT_EQ(ReadText(orphans[0].chartPath), std::string(second.begin(), second.end()));
    EXPECT_EQ(orphans[1].session, "crashed");

    ASSERT_TRUE(next.Claim("crashed"));
    EXPECT_TRUE(LockHolderIsRunning(ReadText(dir / "crashed.lock")));
    RecoveryStore third(dir.string(), "third");
    EXPECT_FALSE(third.Claim("crashed")) << "claimed by a running program";
    EXPECT_TRUE(third.Orphans().empty());
    EXPECT_EQ(next.Orphans().size(), 2u) << "still offered to the claimer";

    next.Discard(orphans[0]);
    EXPECT_FALSE(fs::exists(orphans[0].chartPath));
    EXPECT_TRUE(fs::exists(dir / "crashed.lock")) << "one chart is left";
    next.Discard(orphans[1]);
    EXPECT_FALSE(fs::exists(orphans[1].chartPath));
    EXPECT_FALSE(fs::exists(dir / "crashed.lock"));
    EXPECT_TRUE(next.Orphans().empty());
}

TEST_F(RecoveryStoreTest, LaterGivesTheChartsBackAndANormalEndLeavesNothing) {
    std::string error;
    {
        RecoveryStore earlier(dir.string(), "earlier");
        ASSERT_TRUE(earlier.Open(error)) << error;
        ASSERT_TRUE(earlier.Write(1, std::vector<std::uint8_t>{9}, {"/x.cht", "x.cht", 5}, error));
        ASSERT_TRUE(earlier.Write(2, std::vector<std::uint8_t>{8}, {"/y.cht", "y.cht", 6}, error));
        earlier.Remove(2);  // saved or closed
        EXPECT_EQ(FilesOf("earlier-"), 2u);
        // A killed program: its files stay, with a lock of a process long gone.
        ::rename((dir / "earlier.lock").c_str(), (dir / "keep").c_str());
        WriteText(dir / "earlier.lock", std::to_string(EndedProcess()) + " 0\n");
        std::error_code ignored;
        fs::copy(dir, dir.string() + ".copy", fs::copy_options::recursive, ignored);
    }
    fs::remove_all(dir);
    fs::rename(dir.string() + ".copy", dir);

    RecoveryStore later(dir.string(), "later");
    ASSERT_TRUE(later.Open(error)) << error;
    ASSERT_TRUE(later.Claim("earlier"));
    later.Release("earlier");
    EXPECT_FALSE(fs::exists(dir / "earlier.lock"));
    ASSERT_TRUE(later.Write(4, std::vector<std::uint8_t>{1}, {"", "Chart1", 7}, error));
    later.Close();
    EXPECT_EQ(FilesOf("later"), 0u) << "a normal end removes its charts and lock";

    RecoveryStore again(dir.string(), "again");
    const auto orphans = again.Orphans();
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(orphans[0].info.originalPath, "/x.cht");
}

TEST_F(RecoveryStoreTest, LocksOfEndedSessionsWithoutChartsAreSweptAtOpen) {
    fs::create_directories(dir);
    const std::string ended = std::to_string(EndedProcess()) + " 0\n";
    WriteText(dir / "empty.lock", ended);                // killed with nothing unsaved
    WriteText(dir / "busy.lock", ended);                 // killed with a chart left
    WriteText(dir / "busy-1.cht", "chart");
    WriteText(dir / "busy-1.info", FormatRecoveryInfo({"", "Chart1", 1}));
    WriteText(dir / "running.lock", OwnLockText());      // another program still at work
    RecoveryStore store(dir.string(), "store");
    std::string error;
    ASSERT_TRUE(store.Open(error)) << error;
    EXPECT_FALSE(fs::exists(dir / "empty.lock"));
    EXPECT_TRUE(fs::exists(dir / "busy.lock"));
    EXPECT_TRUE(fs::exists(dir / "running.lock"));
    EXPECT_EQ(store.Orphans().size(), 1u);
}

TEST_F(RecoveryStoreTest, AFolderThatCannotBeMadeIsReported) {
    WriteText(dir.string() + ".file", "");
    RecoveryStore store((fs::path(dir.string() + ".file") / "recovery").string());
    std::string error;
    EXPECT_FALSE(store.Open(error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(store.Write(1, std::vector<std::uint8_t>{1}, {}, error));
    fs::remove(dir.string() + ".file");
}

}  // namespace
}  // namespace ondrel
