#pragma once
// The samples a run records after every output interval: one per block of the Clock, the
// state, compute and auxiliary lists (blocks only in the initialisation list keep their
// sample 0 alone).
//
// Recording is a large part of a run over a big chart, so the recorder works out once per
// run which blocks record nothing but their output (most types); the others (Decay, Delay,
// which keep more with each sample) record through RecordSample after every interval.
//
// Appending one value to every block's own history after every interval writes to as many
// far-apart places as there are blocks, a cache miss each time a history begins a new line.
// The outputs are therefore collected interval by interval in one small array of whole
// samples and handed to the histories a batch at a time, each history receiving a run of
// consecutive values. Until Flush the histories of those blocks lag behind: the run calls it
// before anything may read them (a run window that shows samples, the end of the run).
#include <cstddef>
#include <vector>

#include "core/engine/RunState.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel {

class CIntegrator;

// The blocks recorded after every interval, in the order they are recorded.
template <typename Action>
void ForEachLoopRecorded(CTarvekDoc& doc, const RunLists& lists, Action action) {
    action(*doc.Clock());
    for (CBlock* block : lists.stateList) action(*block);
    for (CBlock* block : lists.computeList) action(*block);
    for (CBlock* block : doc.auxList) action(*block);
}

class SampleRecorder {
public:
    // Samples collected before they are handed to the histories.
    static constexpr std::size_t kBatchSamples = 64;

    // The recorded blocks of the run's lists as they are now, every one of them holding
    // the same number of samples. The outputs the integrator holds are read where it holds
    // them, so that they are recorded whether or not they were handed to their blocks.
    SampleRecorder(RunState& run, const CIntegrator* integrator);

    // Records one sample of every block. Out of memory, or a sample beyond the history
    // budget, takes the partial sample back (every recorded block then holds the same
    // samples), says so and stops the run: false.
    bool Record();
    // Hands the samples collected so far to the histories. Out of memory keeps as many whole
    // samples as fit, says so and stops the run: false.
    bool Flush();
    // The samples every recorded block holds, counting those not yet handed over.
    std::size_t SampleCount() const { return flushed_ + pending_; }

    // True when recording reads nothing but the outputs (no block records through its own
    // RecordSample, which reads the blocks).
    bool ReadsOutputsOnly() const { return others_.empty(); }

    // True when the block's type records its output and nothing else, so that appending the
    // output is its whole RecordSample.
    static bool RecordsOutputOnly(const CBlock& block);

private:
    void ChooseOutputs(const CIntegrator* integrator);
    bool Fail();
    void CollectOutputs();
    void AppendBatch();
    bool AppendSampleBySample();
    void TakeBack(std::size_t samples);

    RunState& run_;
    // Every recorded block keeps its own samples, so the order in which they are appended
    // does not matter: those that record their output alone go through the batch.
    std::vector<CBlock*> outputOnly_;
    std::vector<CBlock*> others_;
    // Where each output of outputOnly_ is read.
    std::vector<const double*> outputs_;
    // kBatchSamples rows of one value per block of outputOnly_, in that order.
    std::vector<double> batch_;
    std::size_t pending_ = 0;  // rows of batch_ in use
    std::size_t flushed_ = 0;  // samples in the histories
    // The samples the history budget allows: one comparison per interval rather than a look
    // at every block's memory.
    std::size_t sampleLimit_ = 0;
};

}  // namespace ondrel
