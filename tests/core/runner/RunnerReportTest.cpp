#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/engine/RunDriver.h"
#include "cli/Runner.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/ChartReport.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "core/model/views/TextViewState.h"
#include "support/RecordingPlatform.h"

namespace ondrel::runner {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The runner dates its report by the system clock: compare everything but the date.
std::string WithoutDate(std::string text) {
    auto tab = text.find('\t');
    auto end = text.find("\r\n");
    if (tab != std::string::npos && end != std::string::npos && tab < end) text.erase(tab, end - tab);
    return text;
}

// What the desktop program's text view shows for the chart at path: its first text view's
// report, or a new view's, with everything chosen, after loading (and after a run).
std::string ViewReport(const std::string& path, bool run) {
    test::RecordingPlatform quiet;
    CTarvekDoc doc;
    StateOnlyViewHost host;
    EXPECT_TRUE(LoadChartFile(path, doc, host));
    if (run) RunChart(doc);
    TextViewState fresh;
    TextViewState* view = &fresh;
    for (const auto& state : host.Views())
        if (state->Kind() == ViewKind::Text) view = static_cast<TextViewState*>(state.get());
    view->ChooseEverything(doc);
    return ChartReportText(*view, doc);
}

TEST(RunnerReportTest, WritesTheTextViewsReportAfterLoadingOrRunning) {
    const fs::path dir = fs::temp_directory_path() / ("ondrel-report-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string plain = (dir / "plain.cht").string();
    const std::string viewed = (dir / "viewed.cht").string();
    {
        test::RecordingPlatform quiet;
        CTarvekDoc doc;
        doc.OnNewDocument();
        doc.PlaceBlock(doc.CreateBlock(kTypeConstant), 1, 1);
        CBlock* slope = doc.blockList.back().get();
        slope->param[1] = 2.0;
        doc.PlaceBlock(doc.CreateBlock(kTypeIntegrate), 2, 1);
        doc.ConnectInput(doc.blockList.back().get(), 1, slope);
        StateOnlyViewHost host;
        ASSERT_TRUE(SaveChartFile(plain, doc, host));
        TextViewState* text = host.OpenTextView(doc);
        text->title = "Levels";
        text->InfoOutConnections = 1;
        text->SortBlocks = 0;
        ASSERT_TRUE(SaveChartFile(viewed, doc, host));
    }
    const fs::path report = dir / "report.txt";
    std::ostringstream out, err;
    struct Case {
        std::string chart;
        bool run;
        const char* mustHold;
    } cases[] = {
        {plain, false, "\r\nConstant\tConstant\t"},
        {plain, true, "\r\nIntegrate\tIntegrate\t 2.000e+000\tNormal\r\n"},
        {viewed, false, "viewed.cht : Levels\t"},
        {viewed, true, "  Integrate\tIntegrate\tInput1\t 2.000e+000\r\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"--quiet", "--report", report.string(), c.chart};
        if (!c.run) args.insert(args.begin(), "--no-run");
        ASSERT_EQ(RunMain(args, out, err), kExitRan) << err.str();
        const std::string written = ReadText(report);
        EXPECT_EQ(WithoutDate(written), WithoutDate(ViewReport(c.chart, c.run))) << c.chart;
        EXPECT_NE(written.find(c.mustHold), std::string::npos) << c.mustHold << "\n" << written;
    }
    EXPECT_EQ(RunMain({"--no-run", "--report", dir.string(), plain}, out, err), kExitFileError);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace ondrel::runner
