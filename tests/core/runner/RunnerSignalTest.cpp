// SIGINT and SIGTERM sent to a real ondrel-run during a run far too long to finish.
#include <sys/wait.h>

#include <csignal>

#include "ChartFixture.h"
#include "ChildProcess.h"

namespace ondrel::runner::test {
namespace {

// The progress lines the runner writes with --progress, at most ten a second.
constexpr const char* kProgress = "ondrel-run: t = ";
constexpr const char* kWriting = "; writing the outputs";
constexpr const char* kSecondHeard = "the outputs are written first";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class RunnerSignalTest : public ChartFixture {
protected:
    std::unique_ptr<ChildProcess> Start(const std::string& chart) {
        return std::make_unique<ChildProcess>(
            ONDREL_RUN_PROGRAM,
            std::vector<std::string>{"--progress", "--save", Saved(), "--csv", Csv(), "--json", Json(), chart},
            (dir / "stdout.txt").string());
    }
    std::string Saved() const { return (dir / "stopped.cht").string(); }
    std::string Csv() const { return (dir / "stopped.csv").string(); }
    std::string Json() const { return (dir / "stopped.json").string(); }
};

TEST_F(RunnerSignalTest, ASignalEndsTheRunAndEveryOutputIsWritten) {
    const std::string chart = LongOscillator();
    struct Case {
        int signal;
        int extraSignalsWhileWriting;  // a second signal waits for the writes
    };
    for (const Case& c : {Case{SIGINT, 0}, Case{SIGTERM, 0}, Case{SIGTERM, 1}}) {
        SCOPED_TRACE(testing::Message() << "signal " << c.signal << " then " << c.extraSignalsWhileWriting);
        auto child = Start(chart);
        // A few progress lines in, so that the run has samples worth keeping.
        ASSERT_TRUE(child->WaitForLines(kProgress, 2)) << child->stderrText;
        child->Signal(c.signal);
        ASSERT_TRUE(child->WaitForLines(kWriting)) << child->stderrText;
        for (int i = 0; i < c.extraSignalsWhileWriting; ++i) {
            child->Signal(SIGINT);
            ASSERT_TRUE(child->WaitForLines(kSecondHeard)) << child->stderrText;
        }
        const int status = child->Wait();
        ASSERT_TRUE(WIFEXITED(status)) << child->stderrText;
        EXPECT_EQ(WEXITSTATUS(status), kExitStopped) << child->stderrText;
        EXPECT_EQ(Files(), (std::vector<std::string>{"long.cht", "stdout.txt", "stopped.cht", "stopped.csv", "stopped.json"}))
            << "no temporary file is left";

        ondrel::test::RecordingPlatform quiet;
        CTarvekDoc saved;
        StateOnlyViewHost host;
        ASSERT_TRUE(LoadChartFile(Saved(), saved, host));
        const std::vector<double>& times = saved.Clock()->history;
        ASSERT_GT(times.size(), 2u);
        EXPECT_LT(times.back(), 1e9);
        const std::string csv = ReadText(Csv());
        const std::vector<std::string> rows = Lines(csv);
        ASSERT_EQ(rows.size(), times.size() + 1) << "a header and one row per saved sample";
        EXPECT_EQ(rows.front(), "Clock,Velocity,Position,Spring");
        const std::string json = ReadText(Json());
        EXPECT_NE(json.find("\"exit_status\": 4,"), std::string::npos) << json;
        EXPECT_NE(json.find("\"samples\": " + std::to_string(times.size()) + ","), std::string::npos) << json;

        // An uninterrupted run that ends where the signal ended this one reaches the same values.
        char end[40];
        std::snprintf(end, sizeof end, "Clock.3=%.17g", times.back());
        const fs::path whole = dir / "whole.csv";
        ASSERT_EQ(Run({"--set", end, "--csv", whole.string(), chart}), kExitRan) << err.str();
        EXPECT_TRUE(ReadText(whole) == csv) << "the same rows";
        for (const char* name : {"stopped.cht", "stopped.csv", "stopped.json", "whole.csv"}) fs::remove(dir / name);
    }
}

TEST_F(RunnerSignalTest, AThirdSignalEndsTheProgramAtOnceWithoutAPartialFile) {
    auto child = Start(LongOscillator());
    ASSERT_TRUE(child->WaitForLines(kProgress, 2)) << child->stderrText;
    child->Signal(SIGINT);
    ASSERT_TRUE(child->WaitForLines(kWriting)) << child->stderrText;
    child->Signal(SIGINT);
    // Signals of one kind sent together may arrive as one: the third goes once the second is heard.
    ASSERT_TRUE(child->WaitForLines(kSecondHeard)) << child->stderrText;
    child->Signal(SIGINT);
    const int status = child->Wait();
    // The writes may have been done before the third signal came; either way no output is
    // left half written.
    if (WIFSIGNALED(status)) {
        EXPECT_EQ(WTERMSIG(status), SIGINT);
    } else {
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), kExitStopped);
    }
    if (fs::exists(Saved())) {
        ondrel::test::RecordingPlatform quiet;
        CTarvekDoc saved;
        StateOnlyViewHost host;
        EXPECT_TRUE(LoadChartFile(Saved(), saved, host));
    }
    if (fs::exists(Csv())) {
        const std::string csv = ReadText(Csv());
        EXPECT_EQ(csv.back(), '\n');
    }
}

}  // namespace
}  // namespace ondrel::runner::test
