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
#include "core/engine/RunMessages.h"
#include "core/engine/RungeKuttaPairs.h"
#include "core/engine/SampleRecorder.h"
#include "core/model/CTarvekDoc.h"
#include "core/platform/Platform.h"

namespace ondrel {

void ReportRunOutOfMemory(CTarvekDoc& doc) {
    ShowMessage(kOutOfMemoryText + RunMessageTime(doc.currentTime), kRunFailureCaption,
                MsgButtons::Ok, MsgIcon::Error);
    doc.StopRun(RunEndKind::Failure);
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
bool RecordSampleZero(CTarvekDoc& doc) {
    try {
        ForEachBlock(doc, [](CBlock& block) { block.RecordSample(); });
        return true;
    } catch (const std::bad_alloc&) {
        ForEachBlock(doc, [](CBlock& block) { block.history.clear(); });
        ReportRunOutOfMemory(doc);
        return false;
    }
}

// The number of intervals the loop will run, give or take the rounding of the time sum.
double ExpectedIntervals(const CTarvekDoc& doc) {
    const double lastStart = doc.simulationEnd - 0.5 * doc.outputInterval;
    if (!(lastStart > 0.0)) return 0.0;
    return std::ceil(lastStart / doc.outputInterval);
}

void ReserveHistories(CTarvekDoc& doc) {
    const double recorded = 1.0 + static_cast<double>(doc.stateList.size() +
                                                      doc.computeList.size() + doc.auxList.size());
    const double reservable = std::min(kReserveBudgetBytes, static_cast<double>(HistoryBudgetBytes()));
    const double affordable = std::floor(reservable / (sizeof(double) * recorded));
    // Sample 0, one per interval, and one spare for the rounding of the time sum.
    const double wanted = ExpectedIntervals(doc) + 2.0;
    const auto samples = static_cast<std::size_t>(std::min(wanted, affordable));
    // Only a hint: a reserve that cannot be had leaves the histories to grow as they go.
    try {
        ForEachLoopRecorded(doc, [samples](CBlock& block) { block.history.reserve(samples); });
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
void SetUpRun(CTarvekDoc& doc) {
    doc.stopped = 0;
    doc.runEnd = RunEnd{RunEndKind::None, {}, 0.0};
    ForEachBlock(doc, [](CBlock& block) { block.ClearHistory(); });
    CBlock& clock = *doc.Clock();
    clock.Setup();
    doc.currentTime = 0.0;
    clock.value = 0.0;
    for (CBlock* block : doc.initList) block->Setup();
    for (CBlock* block : doc.initList) block->Compute();
    for (CBlock* block : doc.stateList) block->Setup();
    for (CBlock* block : doc.computeList) block->Setup();
    for (CBlock* block : doc.computeList) block->Compute();
    ReserveHistories(doc);
    RecordSampleZero(doc);
}

// The integrator IntStyle names; a style only a damaged or foreign file can hold selects the
// 4/5 pair, since without an integrator the states would never advance.
bool CreateIntegrator(CTarvekDoc& doc) {
    doc.integrator.reset();
    if (doc.stateList.empty()) return true;
    const int n = static_cast<int>(doc.stateList.size());
    try {
        if (doc.intStyle == 1) {
            doc.integrator = std::make_unique<CRungeKutta78>(n, &doc);
        } else {
            doc.integrator = std::make_unique<CRungeKutta45>(n, &doc);
        }
        return true;
    } catch (const std::bad_alloc&) {
        ReportRunOutOfMemory(doc);
        return false;
    }
}

// The run window of this run; null when there is none or it could not be opened, so that a
// window of an earlier run is never used.
IRunWindow* OpenRunWindow(CTarvekDoc& doc) {
    IRunWindow* window = Platform().runWindow;
    if (window != nullptr && !window->Open(doc)) window = nullptr;
    doc.runWindow = window;
    return window;
}

// Brings every block to the end of the interval that starts at the document's interval start.
void AdvanceInterval(CTarvekDoc& doc) {
    const double interval = doc.outputInterval;
    if (!doc.stateList.empty()) {
        doc.stepSize = doc.integrator->Step(doc.stepSize, interval);
        if (doc.stepSize == 0.0) doc.StopRun(RunEndKind::Failure);
        return;
    }
    doc.currentTime = doc.intervalStart + interval;
    doc.Clock()->value = doc.currentTime;
    for (CBlock* block : doc.computeList) block->Compute();
}

void RunIntervals(CTarvekDoc& doc, IRunWindow* window) {
    const double interval = doc.outputInterval;
    const double lastStart = doc.simulationEnd - 0.5 * interval;
    doc.stepSize = interval;
    doc.intervalStart = 0.0;
    if (!(lastStart > 0.0)) {
        doc.StopRun(RunEndKind::Completed);  // sample 0 is the whole run
        return;
    }
    std::optional<SampleRecorder> recorder;
    try {
        recorder.emplace(doc, doc.integrator.get());
    } catch (const std::bad_alloc&) {
        ReportRunOutOfMemory(doc);
        return;
    }
    // Where nothing reads the blocks between intervals, the integrator keeps its results
    // until the run ends rather than handing every one of them over after every interval.
    const bool blocksRead = (window != nullptr && window->ShowsSamples()) || !recorder->ReadsOutputsOnly();
    if (doc.integrator && !blocksRead) doc.integrator->HoldResultsBetweenSteps(true);
    // A stop requested while the window was pumped ends the run here too: another interval
    // would have every evaluation refused and record the previous values once more.
    while (!doc.stopped) {
        doc.currentTime = doc.intervalStart;
        AdvanceInterval(doc);
        if (!recorder->Record()) break;
        if (doc.stopped) break;
        const double nextStart = doc.intervalStart + interval;
        const bool lastInterval = !(nextStart < lastStart);
        if (window != nullptr) {
            if (window->ShowsSamples() && !recorder->Flush()) break;
            window->Pump(doc, lastInterval);
        }
        doc.intervalStart = nextStart;
        if (lastInterval) {
            doc.StopRun(RunEndKind::Completed);
            break;
        }
    }
    recorder->Flush();
}

void FinishRun(CTarvekDoc& doc, IRunWindow* window) {
    if (doc.integrator) doc.integrator->HandResultsToBlocks();
    doc.integrator.reset();
    // A stop flag set behind the document's back (a run window of old) is the user's.
    if (doc.runEnd.kind == RunEndKind::None) doc.runEnd = RunEnd{RunEndKind::UserStop, {}, doc.currentTime};
    const std::size_t samples = doc.Clock()->history.size();
    const std::size_t largestIndex = static_cast<std::size_t>(std::numeric_limits<int>::max());
    doc.snapshotIndex = samples == 0 ? 0 : static_cast<int>(std::min(samples - 1, largestIndex));
    doc.UpdateAllViews(nullptr, UpdateHint::Refresh);
    if (window != nullptr) window->Close(doc);
    doc.runWindow = nullptr;
    doc.stopped = 1;
}

}  // namespace

void CTarvekDoc::OnRun() {
    // A run already under way (a command reaching the document while the run window is
    // pumped) is left alone: starting another would free the integrator it is using.
    if (!stopped || Clock() == nullptr) return;
    if (!CheckRequiredInputs(*this)) return;
    if (!SortBlocks()) {
        ShowMessage(kSortFailureText, kRunCheckCaption, MsgButtons::Ok);
        return;
    }
    CopyTiming(*this);
    if (!TimingIsValid(*this)) {
        ShowMessage(kTimingErrorText, kRunCheckCaption, MsgButtons::Ok);
        return;
    }
    SetUpRun(*this);
    if (initialiseOnly) {
        snapshotIndex = 0;
        return;
    }
    SetModifiedFlag(true);
    IRunWindow* window = nullptr;
    // A stop requested while the initial values were computed (a Quit, a block error) ends
    // the run right after sample 0: no interval runs, so no message and no sample repeats.
    if (!stopped) {
        window = OpenRunWindow(*this);
        if (CreateIntegrator(*this)) RunIntervals(*this, window);
    }
    FinishRun(*this, window);
}

void CTarvekDoc::StopRun(RunEndKind kind, const CBlock* block) {
    // Only a run under way records why it ends; the first cause stays.
    if (!stopped && runEnd.kind == RunEndKind::None) runEnd = RunEnd{kind, block ? block->label : "", currentTime};
    stopped = 1;
}

void CTarvekDoc::OnInitialize() {
    initialiseOnly = 1;
    OnRun();
    stopped = 1;
    initialiseOnly = 0;
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, UpdateHint::Refresh);
}

}  // namespace ondrel
