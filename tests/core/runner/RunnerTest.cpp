#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ChartFixture.h"
#include "cli/Runner.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/ListViewState.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "support/RecordingPlatform.h"

namespace ondrel::runner {
namespace {

namespace fs = std::filesystem;

constexpr int kDivide = 61590;
constexpr int kConstant = 61625;
constexpr int kIntegrate = 61588;

using test::ReadText;

class RunnerTest : public test::ChartFixture {};

TEST_F(RunnerTest, UsageErrorsExitWithOne) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--frobnicate", "a.cht"},
        {"a.cht", "b.cht"},
        {"--save"},
        {"--set", "Gain=2", "a.cht"},
        {"--set", "Gain.4=2", "a.cht"},
        {"--set", "Gain.1=two", "a.cht"},
        {"--blocks", "Clock", "a.cht"},
        {"a.cht", "--prn"},
        {"--max-history-mb", "0", "a.cht"},
        {"--max-history-mb", "12MB", "a.cht"},
        {"--max-history-mb"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(Run(args), kExitUsage) << testing::PrintToString(args);
        EXPECT_NE(err.str().find("ondrel-run: "), std::string::npos);
    }
    EXPECT_EQ(Run({"--help"}), kExitRan);
    EXPECT_NE(out.str().find("--set LABEL.N=VALUE"), std::string::npos);
}

TEST_F(RunnerTest, HistoryBudgetStopsARunThatWouldNeverEnd) {
    std::string plain = Chart("plain.cht", [](CTarvekDoc&) {});
    EXPECT_EQ(Run({"--max-history-mb", "1", "--set", "Clock.2=1e-309", plain}), kExitRan);
    EXPECT_EQ(err.str().rfind("RunTime Error: Out of memory at time ", 0), 0u) << err.str();
    // 1 MB of samples of the Clock and its two outputs, every block kept in step.
    EXPECT_NE(out.str().find(", 43690 samples of 3 blocks"), std::string::npos) << out.str();
}

TEST_F(RunnerTest, RunsAChartAndSummarises) {
    std::string ramp = Ramp();
    EXPECT_EQ(Run({ramp}), kExitRan);
    EXPECT_EQ(out.str(), ramp + ": ran to t = 1, 11 samples of 4 blocks\n");  // the Constant holds one
    EXPECT_EQ(err.str(), "");

    EXPECT_EQ(Run({"--quiet", "--no-run", ramp}), kExitRan);
    EXPECT_EQ(out.str(), "");
}

TEST_F(RunnerTest, SetsParametersAndExportsCsv) {
    std::string ramp = Ramp();
    fs::path csv = dir / "ramp.csv";
    EXPECT_EQ(Run({"--set", "Clock.3=0.5", "--set", "Slope.1=4", "--csv", csv.string(), ramp}), kExitRan);
    std::string text = ReadText(csv);
    std::istringstream lines(text);
    std::string header, first, last, line;
    std::getline(lines, header);
    std::getline(lines, first);
    int rows = 1;
    while (std::getline(lines, line)) last = line, ++rows;
    EXPECT_EQ(header, "Clock,Integrate");  // the Constant is computed once: not a list column
    EXPECT_EQ(first, "0,0");
    EXPECT_EQ(rows, 6);
    EXPECT_EQ(last, "0.5,2");

    EXPECT_EQ(Run({"--csv", csv.string(), "--blocks", "Slope,ClockCount", ramp}), kExitRan);
    std::istringstream picked(ReadText(csv));
    std::getline(picked, header);
    EXPECT_EQ(header, "Slope,ClockCount");

    EXPECT_EQ(Run({"--csv", csv.string(), "--blocks", "Nope", ramp}), kExitFileError);
    EXPECT_EQ(Run({"--set", "Nope.1=1", ramp}), kExitUsage);
}

TEST_F(RunnerTest, RefusedRunsExitWithThreeAndPrintTheirMessages) {
    std::string divide = Chart("divide.cht", [](CTarvekDoc& doc) {
        doc.PlaceBlock(doc.CreateBlock(kDivide), 1, 1);
    });
    // Opening a chart without samples initialises it, which checks the inputs too; the run
    // then refuses with the same two messages.
    EXPECT_EQ(Run({"--quiet", divide}), kExitRunRefused);
    const std::string twoMessages =
        "Run Time Error: A Divide block, Divide, needs the first input filled.\n"
        "Run Time Error: A Divide block, Divide, needs the second input filled.\n";
    EXPECT_EQ(err.str(), twoMessages + twoMessages);

    EXPECT_EQ(Run({"--quiet", "--set", "Clock.1=0", Ramp()}), kExitRunRefused);
    EXPECT_EQ(err.str(), "Run Time Error: Timing Parameters Error\n");
}

TEST_F(RunnerTest, SavesWhatItLoadedAndReportsFileErrors) {
    fs::path ran = dir / "ran.cht";
    fs::path copy = dir / "copy.cht";
    EXPECT_EQ(Run({"--save", ran.string(), Ramp()}), kExitRan);
    EXPECT_EQ(Run({"--no-run", "--save", copy.string(), ran.string()}), kExitRan);
    EXPECT_EQ(ReadText(copy), ReadText(ran));
    std::string ramp = ran.string();

    EXPECT_EQ(Run({(dir / "missing.cht").string()}), kExitFileError);
    EXPECT_EQ(err.str().rfind("Load Error: ", 0), 0u);

    std::ofstream(dir / "junk.cht") << "abc";
    EXPECT_EQ(Run({(dir / "junk.cht").string()}), kExitFileError);
    EXPECT_EQ(err.str(), "Load Error: Invalid data in File\n");

    EXPECT_EQ(Run({"--save", dir.string(), ramp}), kExitFileError);
    EXPECT_NE(err.str().find("Save Error: "), std::string::npos);
}

TEST_F(RunnerTest, PrnWritesTheFirstListViewOrANewOnesText) {
    fs::path ran = dir / "ran.cht";
    fs::path prn = dir / "out.prn";
    // Without a list view: the default columns and settings, written after the run.
    EXPECT_EQ(Run({"--quiet", "--prn", prn.string(), "--save", ran.string(), Ramp()}), kExitRan);
    std::string text = ReadText(prn);
    const std::string head = "\r\nClock\tIntegrate\t\r\n0.000e+000\t0.000e+000\t\r\n1.000e-001\t2.000e-001\t\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_EQ(text.size(), 2 + 18 + 11 * 24u);
    EXPECT_EQ(text.substr(text.size() - 24), "1.000e+000\t2.000e+000\t\r\n");

    // The chart's first list view decides: its notes, columns (an unresolved one skipped)
    // and settings; the second list view is not asked.
    fs::path listed = dir / "listed.cht";
    {
        ondrel::test::RecordingPlatform quiet;
        CTarvekDoc doc;
        StateOnlyViewHost host;
        ASSERT_TRUE(LoadChartFile(ran.string(), doc, host));
        ListViewState* first = host.OpenListView(doc);
        first->notes = "ramp\nrun";
        first->Extra = 1;
        first->Precision = 1;
        CBlock* integrate = nullptr;
        for (auto& block : doc.blockList)
            if (block->label == "Integrate") integrate = block.get();
        first->displayedBlocks = {BlockReference(integrate), BlockReference()};
        host.OpenListView(doc)->notes = "second";
        ASSERT_TRUE(SaveChartFile(listed.string(), doc, host));
    }
    EXPECT_EQ(Run({"--quiet", "--no-run", "--prn", prn.string(), listed.string()}), kExitRan);
    text = ReadText(prn);
    const std::string listedHead = "ramp\r\nrun\r\nIntegrate\t\r\n  0.0e+000\t\r\n  2.0e-001\t\r\n";
    EXPECT_EQ(text.substr(0, listedHead.size()), listedHead);
    EXPECT_EQ(text.size(), 11 + 12 + 11 * 13u);

    EXPECT_EQ(Run({"--quiet", "--no-run", "--prn", (dir / "none" / "out.prn").string(), listed.string()}),
              kExitFileError);
    EXPECT_NE(err.str().find("ondrel-run: Unable to write "), std::string::npos);
}

TEST_F(RunnerTest, RerouteRoutesEveryConnectorAgainBeforeSaving) {
    RouteRecord routed{};
    std::string stale = Chart("stale.cht", [&](CTarvekDoc& doc) {
        doc.PlaceBlock(doc.CreateBlock(kConstant), 1, 1);
        CBlock* source = doc.blockList.back().get();
        doc.PlaceBlock(doc.CreateBlock(kIntegrate), 3, 4);
        CBlock* target = doc.blockList.back().get();
        doc.ConnectInput(target, 1, source);
        routed = target->route[1];
        target->route[1] = RouteRecord{7, 7, 7, 7};  // what an older layout left behind
    });
    ASSERT_NE(routed, (RouteRecord{7, 7, 7, 7}));

    auto routeAfter = [&](std::vector<std::string> args) {
        fs::path saved = dir / "rerouted.cht";
        args.insert(args.end(), {"--no-run", "--quiet", "--save", saved.string(), stale});
        EXPECT_EQ(Run(args), kExitRan);
        ondrel::test::RecordingPlatform quiet;
        CTarvekDoc doc;
        StateOnlyViewHost host;
        EXPECT_TRUE(LoadChartFile(saved.string(), doc, host));
        return doc.blockList[2]->route[1];
    };
    EXPECT_EQ(routeAfter({}), (RouteRecord{7, 7, 7, 7}));  // loading keeps stored records
    EXPECT_EQ(routeAfter({"--reroute"}), routed);
}

}  // namespace
}  // namespace ondrel::runner
