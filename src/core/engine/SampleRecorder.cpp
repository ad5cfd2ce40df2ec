#include "core/engine/SampleRecorder.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <new>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "core/blocks/CBlock.h"
#include "core/blocks/ClockBlock.h"
#include "core/blocks/Generators.h"
#include "core/blocks/IntegrateBlock.h"
#include "core/blocks/StatelessBlocks.h"
#include "core/engine/CIntegrator.h"
#include "core/engine/HistoryBudget.h"
#include "core/engine/RunMessages.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel {
namespace {

// True when T records with CBlock's own RecordSample: a type that declares its own is
// never appended to directly, even if it joins the list below later.
template <class T>
constexpr bool KeepsBaseRecording() {
    return std::is_same_v<decltype(&T::RecordSample), void (CBlock::*)()>;
}

template <class T>
bool Is(const CBlock& block) {
    return KeepsBaseRecording<T>() && typeid(block) == typeid(T);
}

}  // namespace

bool SampleRecorder::RecordsOutputOnly(const CBlock& block) {
    // The types a large chart is mostly made of, the most frequent first.
    return Is<CSumBlock>(block) || Is<CIntegrateBlock>(block) || Is<CGainBlock>(block) ||
           Is<CMultiplyBlock>(block) || Is<CNegateBlock>(block) || Is<CDummyBlock>(block) ||
           Is<CClockBlock>(block) || Is<CSineWaveGeneratorBlock>(block) ||
           Is<CDivideBlock>(block);
}

SampleRecorder::SampleRecorder(RunState& run, const CIntegrator* integrator)
    : run_(run) {
    outputOnly_.reserve(1 + run.stateList.size() + run.computeList.size() +
                        run.Document().auxList.size());
    ForEachLoopRecorded(run.Document(), run, [this](CBlock& block) {
        (RecordsOutputOnly(block) ? outputOnly_ : others_).push_back(&block);
    });
    ChooseOutputs(integrator);
    batch_.resize(kBatchSamples * outputOnly_.size());
    flushed_ = run.Document().Clock()->history.size();
    // The blocks that keep more than their output with each sample count twice.
    const std::uint64_t weight = outputOnly_.size() + 2 * others_.size();
    const std::uint64_t limit = BudgetedSamples(weight);
    sampleLimit_ = static_cast<std::size_t>(std::min<std::uint64_t>(limit, std::numeric_limits<std::size_t>::max()));
}

void SampleRecorder::ChooseOutputs(const CIntegrator* integrator) {
    using Held = std::pair<const CBlock*, const double*>;
    std::vector<Held> held;
    if (integrator != nullptr) {
        integrator->ForEachHeldValue(
            [&held](const CBlock* block, const double* value) { held.emplace_back(block, value); });
    }
    // Of a block held twice, the value handed over last.
    std::stable_sort(held.begin(), held.end(),
                     [](const Held& x, const Held& y) { return x.first < y.first; });
    outputs_.reserve(outputOnly_.size());
    for (const CBlock* block : outputOnly_) {
        const auto end = std::upper_bound(held.begin(), held.end(), block,
                                          [](const CBlock* key, const Held& h) { return key < h.first; });
        const bool found = end != held.begin() && std::prev(end)->first == block;
        outputs_.push_back(found ? std::prev(end)->second : &block->value);
    }
}

bool SampleRecorder::Record() {
    const std::size_t before = SampleCount();
    if (before >= sampleLimit_) return Fail();
    if (pending_ == kBatchSamples && !Flush()) return false;
    try {
        for (CBlock* block : others_) block->RecordSample();
    } catch (const std::bad_alloc&) {
        TakeBack(before);
        return Fail();
    }
    CollectOutputs();
    return true;
}

bool SampleRecorder::Flush() {
    if (pending_ == 0) return true;
    try {
        AppendBatch();
    } catch (const std::bad_alloc&) {
        // Some histories took the whole batch, the others none of it.
        for (CBlock* block : outputOnly_) {
            if (block->history.size() > flushed_) block->history.resize(flushed_);
        }
        return AppendSampleBySample();
    }
    flushed_ += pending_;
    pending_ = 0;
    return true;
}

// Hands what was collected over first, so that the samples before the failure are kept.
bool SampleRecorder::Fail() {
    if (!Flush()) return false;
    ReportRunOutOfMemory(run_);
    return false;
}

void SampleRecorder::CollectOutputs() {
    double* row = batch_.data() + pending_ * outputOnly_.size();
    for (const double* output : outputs_) *row++ = *output;
    ++pending_;
}

void SampleRecorder::AppendBatch() {
    const std::size_t blocks = outputOnly_.size();
    double run[kBatchSamples];
    for (std::size_t i = 0; i < blocks; ++i) {
        const double* column = batch_.data() + i;
        for (std::size_t row = 0; row < pending_; ++row) run[row] = column[row * blocks];
        std::vector<double>& history = outputOnly_[i]->history;
        history.insert(history.end(), run, run + pending_);
    }
}

// The batch once more, one whole sample at a time, as far as memory goes.
bool SampleRecorder::AppendSampleBySample() {
    const std::size_t blocks = outputOnly_.size();
    for (std::size_t row = 0; row < pending_; ++row) {
        const double* sample = batch_.data() + row * blocks;
        try {
            for (std::size_t i = 0; i < blocks; ++i) outputOnly_[i]->history.push_back(sample[i]);
        } catch (const std::bad_alloc&) {
            flushed_ += row;
            pending_ = 0;
            TakeBack(flushed_);
            ReportRunOutOfMemory(run_);
            return false;
        }
    }
    flushed_ += pending_;
    pending_ = 0;
    return true;
}

void SampleRecorder::TakeBack(std::size_t samples) {
    for (const auto* list : {&outputOnly_, &others_}) {
        for (CBlock* block : *list) {
            std::vector<double>& history = block->history;
            if (history.size() > samples) history.resize(samples);
        }
    }
}

}  // namespace ondrel
