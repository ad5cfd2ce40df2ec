// A run from the desktop program next to the same run by ondrel-run. The chart is the
// 100-stage RC ladder, x_i' = 10 (x_{i-1} - x_i), driven by a Sine Wave Generator (frequency
// 1, no delay): error limit 1e-7, output interval 0.01, 1,000 intervals, saved to a scratch
// .cht file.
//
// runner:  ondrel-run's whole behaviour on the file (load, run), as RunMain does it.
// desktop: the program started on the file (main frame, chart window, run window service),
//          then its Run command; only the run is timed, with the run window open and
//          repainted as it is for a user.
// Both are processor times of the one thread that does everything (the offscreen platform
// paints in the program's own thread): the machine is shared, and waiting for a processor is
// neither path's cost.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "cli/Runner.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/COndrelApp.h"
#include "gui/app/ChartSession.h"
#include "gui/app/CommandIds.h"
#include "gui/app/DesktopPlatform.h"
#include "core/blocks/BlockTypeIds.h"
#include "LadderChart.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/StateOnlyViewHost.h"

namespace {

using namespace ondrel;
using namespace ondrel::bench;

constexpr int kStages = 100;

// The scratch folder with the ladder's chart file and the desktop program's profile.
struct Scratch {
    QTemporaryDir dir;
    std::string chartPath;
    QString profilePath;

    Scratch() {
        chartPath = dir.filePath("ladder.cht").toStdString();
        profilePath = dir.filePath("profile.ini");
        CTarvekDoc doc;
        BuildLadder(doc, kStages);
        StateOnlyViewHost host;
        if (!SaveChartFile(chartPath, doc, host)) {
            std::fprintf(stderr, "cannot save %s\n", chartPath.c_str());
            std::exit(1);
        }
    }
};

Scratch& SharedScratch() {
    static Scratch scratch;
    return scratch;
}

// Fastest seconds per run of each path: the machine is shared, and the fastest repetition
// is the least disturbed.
std::map<std::string, double> fastest;

void Keep(const std::string& name, double seconds) {
    const auto found = fastest.find(name);
    if (found == fastest.end() || seconds < found->second) fastest[name] = seconds;
}

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

void BM_RunnerRun(benchmark::State& state) {
    const std::string& path = SharedScratch().chartPath;
    std::ostringstream out;
    std::ostringstream err;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        const int status = runner::RunMain({"--quiet", path}, out, err);
        const double seconds = ThreadSeconds() - start;
        if (status != runner::kExitRan) {
            state.SkipWithError(("ondrel-run failed: " + err.str()).c_str());
            return;
        }
        state.SetIterationTime(seconds);
        Keep("runner", seconds);
    }
}

void BM_DesktopRun(benchmark::State& state) {
    Scratch& scratch = SharedScratch();
    gui::DesktopPlatform platform(scratch.profilePath);
    gui::COndrelApp app;
    if (!app.Start({QString::fromStdString(scratch.chartPath)})) {
        state.SkipWithError("the desktop program did not start");
        return;
    }
    QApplication::processEvents();
    gui::ChartSession* session = app.MainFrame()->ActiveSession();
    if (session == nullptr) {
        state.SkipWithError("the chart did not open");
        return;
    }
    const CTarvekDoc& doc = session->Document();
    int pumps = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        app.MainFrame()->Execute(gui::cmd::kRun);
        const double seconds = ThreadSeconds() - start;
        pumps = platform.RunWindow().PumpCount();
        if (doc.Clock()->history.size() != static_cast<std::size_t>(kIntervals) + 1) {
            state.SkipWithError("the run did not record every interval");
            return;
        }
        state.SetIterationTime(seconds);
        Keep("desktop", seconds);
        // What the run leaves queued (the chart view's update) is not the run.
        QApplication::processEvents();
    }
    state.counters["pumps"] = pumps;
    // The program ends with the chart unsaved: no question is asked of a benchmark.
    session->Document().SetModifiedFlag(false);
}

BENCHMARK(BM_RunnerRun)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_DesktopRun)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

void PrintSummary() {
    const auto runner = fastest.find("runner");
    const auto desktop = fastest.find("desktop");
    if (runner == fastest.end() || desktop == fastest.end()) return;
    std::printf("\n%d-stage ladder, fastest run: ondrel-run %.1f ms, desktop %.1f ms, "
                "desktop / ondrel-run = %.3f\n",
                kStages, 1e3 * runner->second, 1e3 * desktop->second,
                desktop->second / runner->second);
}

}  // namespace

int main(int argc, char** argv) {
    // Painted offscreen unless a display is asked for explicitly.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    return 0;
}
