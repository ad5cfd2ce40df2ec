#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/Runner.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/GraphViewState.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "support/RecordingPlatform.h"

namespace ondrel::runner {
namespace {

namespace fs = std::filesystem;

constexpr int kConstant = 61625;
constexpr int kIntegrate = 61588;

const GraphViewState* FirstGraph(const StateOnlyViewHost& host) {
    for (const auto& v : host.Views())
        if (v->Kind() == ViewKind::Graph) return static_cast<const GraphViewState*>(v.get());
    return nullptr;
}

// A run rewrites the limits of every stored graph as the graph window does when the run
// ends, so the chart it saves holds the limits the desktop program would save.
TEST(RunnerGraphLimits, ARunRescalesStoredGraphsAndALoadDoesNot) {
    const fs::path dir = fs::temp_directory_path() / ("ondrel-graph-limits-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string chart = (dir / "ramp.cht").string();
    {
        test::RecordingPlatform quiet;
        CTarvekDoc doc;
        doc.OnNewDocument();
        doc.PlaceBlock(doc.CreateBlock(kConstant), 1, 1);
        CBlock* slope = doc.blockList.back().get();
        doc.PlaceBlock(doc.CreateBlock(kIntegrate), 2, 1);
        CBlock* ramp = doc.blockList.back().get();
        slope->param[1] = 7.5;  // the ramp reaches 7.5 at t = 1
        doc.ConnectInput(ramp, 1, slope);
        StateOnlyViewHost host;
        GraphViewState* graph = host.OpenGraphView(doc);
        graph->CompleteDefaults(doc);
        graph->axisSlots[1].block.Set(ramp);
        graph->axisSlots[2].Fixed = 1;  // not in use: left alone
        graph->axisSlots[2].High = 3.3;
        ASSERT_TRUE(SaveChartFile(chart, doc, host));
    }
    std::ostringstream out, err;
    const std::string loaded = (dir / "loaded.cht").string();
    const std::string ran = (dir / "ran.cht").string();
    ASSERT_EQ(RunMain({"--no-run", "--save", loaded, chart}, out, err), kExitRan);
    ASSERT_EQ(RunMain({"--save", ran, chart}, out, err), kExitRan);

    test::RecordingPlatform quiet;
    for (const auto& [path, xHigh, curveHigh] : {std::tuple{loaded, 0.0, 0.0}, std::tuple{ran, 1.0, 8.0}}) {
        SCOPED_TRACE(path);
        CTarvekDoc doc;
        StateOnlyViewHost host;
        ASSERT_TRUE(LoadChartFile(path, doc, host));
        const GraphViewState* graph = FirstGraph(host);
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(graph->axisSlots[0].High, xHigh);
        EXPECT_EQ(graph->axisSlots[1].High, curveHigh);
        EXPECT_EQ(graph->axisSlots[1].Low, 0.0);
        EXPECT_EQ(graph->axisSlots[2].High, 3.3);
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace ondrel::runner
