#pragma once
// The samples a run records after every output interval: one per block of the Clock, the
// state, compute and auxiliary lists (blocks only in the initialisation list keep their
// sample 0 alone).
//
// Recording is a large part of a run over a big chart, so the recorder works out once per
// run which blocks record nothing but their output (most types) and appends those directly,
// in one loop; the others (Decay, Delay, which keep more with each sample) record through
// RecordSample after them.
#include <cstddef>
#include <vector>

#include "model/CTarvekDoc.h"

namespace ondrel {

// The blocks recorded after every interval, in the order they are recorded.
template <typename Action>
void ForEachLoopRecorded(CTarvekDoc& doc, Action action) {
    action(*doc.Clock());
    for (CBlock* block : doc.stateList) action(*block);
    for (CBlock* block : doc.computeList) action(*block);
    for (CBlock* block : doc.auxList) action(*block);
}

class SampleRecorder {
public:
    // The recorded blocks of the document's lists as they are now.
    explicit SampleRecorder(CTarvekDoc& document);

    // Records one sample of every block. Out of memory, or a sample beyond the history
    // budget, takes the partial sample back (every recorded block then holds the same
    // samples), says so and stops the run: false.
    bool Record();

    // True when the block's type records its output and nothing else, so that appending the
    // output is its whole RecordSample.
    static bool RecordsOutputOnly(const CBlock& block);

private:
    void RecordAll();
    void TakeBack(std::size_t samples);

    CTarvekDoc& document_;
    // Every recorded block keeps its own samples, so the order in which they are appended
    // does not matter: those that record their output alone go in one tight loop.
    std::vector<CBlock*> outputOnly_;
    std::vector<CBlock*> others_;
    // The samples the history budget allows, counted on the Clock: one comparison per
    // interval rather than a look at every block's memory.
    std::size_t sampleLimit_ = 0;
};

}  // namespace ondrel
