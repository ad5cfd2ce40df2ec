// The Run and Initialize commands: the checks, the set-up phase that records sample 0, and
// the loop that advances simulated time one output interval at a time, recording one sample
// per block and interval.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <new>
#include <optional>
#include <stdexcept>

#include "core/blocks/CBlock.h"
#include "core/engine/CIntegrator.h"
#include "core/engine/HistoryBudget.h"
#include "core/engine/RunDriver.h"
#include "core/engine/RunMessages.h"
#include "core/engine/RungeKuttaPairs.h"
#include "core/engine/SampleRecorder.h"
#include "core/model/CTarvekDoc.h"
#include "core/platform/Platform.h"

namespace ondrel {

void ReportRunOutOfMemory(RunState& run) {
    RunState::Show(Status{kOutOfMemoryText + RunMessageTime(run.Now()), kRunFailureCaption, MsgButtons::Ok,
                          MsgIcon::Error, {}});
    run.Stop(RunEndKind::Failure);
}

namespace {

// Up to this much history is reserved at run start, so that a run whose length is known
// records 8 bytes per block and sample without the slack of a growing array. A longer run
// grows its histories as it goes.
constexpr double kReserveBudgetBytes = 256.0 * 1024.0 * 1024.0;

template <typename Action>
void ForEachBlock(CTarvekDoc& doc, Action action) {
    for (const auto& block : doc.blockList) action(*block);
}

// Records sample 0 of every block. Out of memory takes the partial sample back (every block
// then holds the same samples), says so and stops the run.
bool RecordSampleZero(RunState& run) {
    CTarvekDoc& doc = run.Document();
    try {
        ForEachBlock(doc, [](CBlock& block) { block.RecordSample(); });
        return true;
    } catch (const std::bad_alloc&) {
        ForEachBlock(doc, [](CBlock& block) { block.history.clear(); });
        ReportRunOutOfMemory(run);
        return false;
    }
}

// The number of intervals the loop will run, give or take the rounding of the time sum.
double ExpectedIntervals(const CTarvekDoc& doc) {
    const double lastStart = doc.simulationEnd - 0.5 * doc.outputInterval;
    if (!(lastStart > 0.0)) return 0.0;
    return std::ceil(lastStart / doc.outputInterval);
}

void ReserveHistories(RunState& run) {
    CTarvekDoc& doc = run.Document();
    const double recorded = 1.0 + static_cast<double>(run.stateList.size() +
                                                      run.computeList.size() + doc.auxList.size());
    const double reservable = std::min(kReserveBudgetBytes, static_cast<double>(HistoryBudgetBytes()));
    const double affordable = std::floor(reservable / (sizeof(double) * recorded));
    // Sample 0, one per interval, and one spare for the rounding of the time sum.
    const double wanted = ExpectedIntervals(doc) + 2.0;
    const auto samples = static_cast<std::size_t>(std::min(wanted, affordable));
    // Only a hint: a reserve that cannot be had leaves the histories to grow as they go.
    try {
        ForEachLoopRecorded(doc, run, [samples](CBlock& block) { block.history.reserve(samples); });
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
}

void CopyTiming(CTarvekDoc& doc) {
    const CBlock& clock = *doc.Clock();
    doc.errorLimit = clock.param[1];
    doc.outputInterval = clock.param[2];
    doc.simulationEnd = clock.param[3];
}

// Comparisons are written so that a NaN fails them. An interval that is not above 0 would
// never reach the end of the run.
bool TimingIsValid(const CTarvekDoc& doc) {
    return doc.errorLimit > 0.0 && doc.simulationEnd >= doc.outputInterval &&
           doc.outputInterval > 0.0;
}

// Sets every block of the run lists up, computes the initial values and records sample 0.
// With forRun the histories are first reserved for the whole run; an initialisation records
// sample 0 alone, and reserving a run's worth for every block of a large chart would cost
// more than the rest of loading it.
void SetUpRun(RunState& run, bool forRun) {
    CTarvekDoc& doc = run.Document();
    run.stopped = false;
    run.end = RunEnd{RunEndKind::None, {}, 0.0};
    doc.SetLastRunEnd(run.end);
    run.SetOutputInterval(doc.outputInterval);
    ForEachBlock(doc, [](CBlock& block) { block.ClearHistory(); });
    CBlock& clock = *doc.Clock();
    clock.Setup();
    run.SetTime(0.0);
    clock.value = 0.0;
    for (CBlock* block : run.initList) block->Setup();
    for (CBlock* block : run.initList) block->Compute();
    for (CBlock* block : run.stateList) block->Setup();
    for (CBlock* block : run.computeList) block->Setup();
    for (CBlock* block : run.computeList) block->Compute();
    if (forRun) ReserveHistories(run);
    RecordSampleZero(run);
}

// The integrator IntStyle names; a style only a damaged or foreign file can hold selects the
// 4/5 pair, since without an integrator the states would never advance.
bool CreateIntegrator(RunState& run) {
    run.integrator.reset();
    if (run.stateList.empty()) return true;
    const int n = static_cast<int>(run.stateList.size());
    try {
        if (run.Document().intStyle == 1) {
            run.integrator = std::make_unique<CRungeKutta78>(n, run);
        } else {
            run.integrator = std::make_unique<CRungeKutta45>(n, run);
        }
        return true;
    } catch (const std::bad_alloc&) {
        ReportRunOutOfMemory(run);
        return false;
    }
}

// The run window of this run; null when there is none or it could not be opened, so that a
// window of an earlier run is never used.
IRunWindow* OpenRunWindow(RunState& run) {
    IRunWindow* window = Platform().runWindow;
    if (window != nullptr && !window->Open(run.Document())) window = nullptr;
    run.window = window;
    return window;
}

// Brings every block to the end of the interval that starts at the run's interval start.
void AdvanceInterval(RunState& run) {
    const double interval = run.Document().outputInterval;
    if (!run.stateList.empty()) {
        run.stepSize = run.integrator->Step(run.stepSize, interval);
        if (run.stepSize == 0.0) run.Stop(RunEndKind::Failure);
        return;
    }
    run.SetTime(run.intervalStart + interval);
    run.Document().Clock()->value = run.Now();
    for (CBlock* block : run.computeList) block->Compute();
}

void RunIntervals(RunState& run, IRunWindow* window) {
    CTarvekDoc& doc = run.Document();
    const double interval = doc.outputInterval;
    const double lastStart = doc.simulationEnd - 0.5 * interval;
    run.stepSize = interval;
    run.intervalStart = 0.0;
    if (!(lastStart > 0.0)) {
        run.Stop(RunEndKind::Completed);  // sample 0 is the whole run
        return;
    }
    std::optional<SampleRecorder> recorder;
    try {
        recorder.emplace(run, run.integrator.get());
    } catch (const std::bad_alloc&) {
        ReportRunOutOfMemory(run);
        return;
    }
    // Where nothing reads the blocks between intervals, the integrator keeps its results
    // until the run ends rather than handing every one of them over after every interval.
    const bool blocksRead = (window != nullptr && window->ShowsSamples()) || !recorder->ReadsOutputsOnly();
    if (run.integrator && !blocksRead) run.integrator->HoldResultsBetweenSteps(true);
    // A stop requested while the window was pumped ends the run here too: another interval
    // would have every evaluation refused and record the previous values once more.
    while (!run.stopped) {
        run.SetTime(run.intervalStart);
        AdvanceInterval(run);
        if (!recorder->Record()) break;
        if (run.stopped) break;
        const double nextStart = run.intervalStart + interval;
        const bool lastInterval = !(nextStart < lastStart);
        if (window != nullptr) {
            if (window->ShowsSamples() && !recorder->Flush()) break;
            window->Pump(doc, lastInterval);
        }
        run.intervalStart = nextStart;
        if (lastInterval) {
            run.Stop(RunEndKind::Completed);
            break;
        }
    }
    recorder->Flush();
}

void FinishRun(RunState& run, IRunWindow* window) {
    CTarvekDoc& doc = run.Document();
    if (run.integrator) run.integrator->HandResultsToBlocks();
    run.integrator.reset();
    // A stop flag set behind the run's back (a run window of old) is the user's.
    if (run.end.kind == RunEndKind::None) run.end = RunEnd{RunEndKind::UserStop, {}, run.Now()};
    doc.SetLastRunEnd(run.end);
    const std::size_t samples = doc.Clock()->history.size();
    const std::size_t largestIndex = static_cast<std::size_t>(std::numeric_limits<int>::max());
    doc.snapshotIndex = samples == 0 ? 0 : static_cast<int>(std::min(samples - 1, largestIndex));
    doc.UpdateAllViews(nullptr, UpdateHint::Refresh);
    if (window != nullptr) window->Close(doc);
    run.window = nullptr;
    run.stopped = true;
}

// The Run command, or with initialiseOnly the Initialize command's part of it.
void Run(CTarvekDoc& doc, bool initialiseOnly) {
    // A run already under way (a command reaching the document while the run window is
    // pumped) is left alone: starting another would free the integrator it is using.
    if (doc.HasRunUnderWay() || doc.Clock() == nullptr) return;
    RunState run(doc);
    if (!CheckRequiredInputs(doc)) return;
    if (!SortBlocks(doc, run)) {
        RunState::Show(Status{kSortFailureText, kRunCheckCaption, MsgButtons::Ok, MsgIcon::None, {}});
        return;
    }
    CopyTiming(doc);
    if (!TimingIsValid(doc)) {
        RunState::Show(Status{kTimingErrorText, kRunCheckCaption, MsgButtons::Ok, MsgIcon::None, {}});
        return;
    }
    SetUpRun(run, !initialiseOnly);
    if (initialiseOnly) {
        doc.SetLastRunEnd(run.end);
        doc.snapshotIndex = 0;
        return;
    }
    doc.SetModifiedFlag(true);
    IRunWindow* window = nullptr;
    // A stop requested while the initial values were computed (a Quit, a block error) ends
    // the run right after sample 0: no interval runs, so no message and no sample repeats.
    if (!run.stopped) {
        window = OpenRunWindow(run);
        if (CreateIntegrator(run)) RunIntervals(run, window);
    }
    FinishRun(run, window);
}

}  // namespace

bool CheckRequiredInputs(CTarvekDoc& doc) {
    const std::vector<UnfilledInput> unfilled = UnfilledRequiredInputs(doc.blockList);
    for (const UnfilledInput& input : unfilled) {
        doc.NoteMessageAbout(*input.block);
        if (ShowStatus(input.question) == MsgResult::Cancel) return false;
    }
    return unfilled.empty();
}

void RunChart(CTarvekDoc& doc) { Run(doc, false); }

void InitializeChart(CTarvekDoc& doc) {
    Run(doc, true);
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews(nullptr, UpdateHint::Refresh);
}

}  // namespace ondrel
