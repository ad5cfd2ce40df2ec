#include "engine/SampleRecorder.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <type_traits>
#include <typeinfo>

#include "blocks/CBlock.h"
#include "blocks/ClockBlock.h"
#include "blocks/Generators.h"
#include "blocks/IntegrateBlock.h"
#include "blocks/StatelessBlocks.h"
#include "engine/HistoryBudget.h"
#include "engine/RunMessages.h"
#include "model/CTarvekDoc.h"

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

// The history of a recorded block is written at a different place for each block and
// sample: a cache miss whenever a block's history begins a new line. The line a block
// starts eight samples from now is fetched now, an interval's work ahead of the store. Only
// reserved memory is touched.
void PrefetchHistoryAhead(const CBlock& block) {
    constexpr std::size_t kSamplesPerLine = 64 / sizeof(double);
    const std::vector<double>& history = block.history;
    const std::size_t ahead = history.size() + kSamplesPerLine;
    if (ahead < history.capacity()) __builtin_prefetch(history.data() + ahead, 1);
}

}  // namespace

bool SampleRecorder::RecordsOutputOnly(const CBlock& block) {
    // The types a large chart is mostly made of, the most frequent first.
    return Is<CSumBlock>(block) || Is<CIntegrateBlock>(block) || Is<CGainBlock>(block) ||
           Is<CMultiplyBlock>(block) || Is<CNegateBlock>(block) || Is<CDummyBlock>(block) ||
           Is<CClockBlock>(block) || Is<CSineWaveGeneratorBlock>(block) ||
           Is<CDivideBlock>(block);
}

SampleRecorder::SampleRecorder(CTarvekDoc& document) : document_(document) {
    outputOnly_.reserve(1 + document.stateList.size() + document.computeList.size() +
                        document.auxList.size());
    ForEachLoopRecorded(document, [this](CBlock& block) {
        (RecordsOutputOnly(block) ? outputOnly_ : others_).push_back(&block);
    });
    // The blocks that keep more than their output with each sample count twice.
    const std::uint64_t weight = outputOnly_.size() + 2 * others_.size();
    const std::uint64_t limit = BudgetedSamples(weight);
    sampleLimit_ = static_cast<std::size_t>(std::min<std::uint64_t>(limit, std::numeric_limits<std::size_t>::max()));
}

bool SampleRecorder::Record() {
    const std::size_t before = document_.Clock()->history.size();
    if (before >= sampleLimit_) {
        ReportRunOutOfMemory(document_);
        return false;
    }
    try {
        RecordAll();
        return true;
    } catch (const std::bad_alloc&) {
        TakeBack(before);
        ReportRunOutOfMemory(document_);
        return false;
    }
}

void SampleRecorder::RecordAll() {
    for (CBlock* block : outputOnly_) {
        PrefetchHistoryAhead(*block);
        block->history.push_back(block->value);
    }
    for (CBlock* block : others_) block->RecordSample();
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
