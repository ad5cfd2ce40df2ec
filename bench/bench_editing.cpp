// Editing the 8,000-stage ladder (16,002 blocks): placing a block, connecting an input,
// moving a block, deleting one, and the undo of each, one command at a time as the desktop
// program applies them. "undo_MB" is the heap the commands of 1,000 edits hold once applied.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "LadderFiles.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/model/edits/ChartCommand.h"

namespace {

// The live heap, so that what the undo stack holds can be told apart.
long long liveBytes = 0;

}  // namespace

#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        liveBytes += static_cast<long long>(malloc_usable_size(p));
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    if (p != nullptr) liveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace ondrel {
namespace {

using namespace ondrel::bench;

constexpr int kStages = 8000;

// The Sum and the Integrate of stage i: the list of the ladder read from its file is the
// Clock, the Sine Wave Generator, a Sum and an Integrate per stage, then the Clock's outputs.
CBlock& SumOf(CTarvekDoc& doc, int i) { return *doc.blockList[2 + 2 * static_cast<std::size_t>(i)]; }
CBlock& StateOf(CTarvekDoc& doc, int i) { return *doc.blockList[3 + 2 * static_cast<std::size_t>(i)]; }

struct Ladder {
    QuietPlatform quiet;
    StateOnlyViewHost host;
    std::unique_ptr<CTarvekDoc> doc = LoadLadder(kStages, host);
};

// Times make(doc) applied, then its undo, as two figures; i runs over the stages so that no
// two iterations edit the same place.
template <typename Make>
void ApplyAndUndo(benchmark::State& state, Make&& make) {
    Ladder ladder;
    CTarvekDoc& doc = *ladder.doc;
    const bool timeUndo = state.range(0) != 0;
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<ChartCommand> command = make(doc, 100 + (i++ * 37) % (kStages - 200));
        if (!timeUndo) state.ResumeTiming();
        command->Apply(doc);
        if (!timeUndo) state.PauseTiming();
        if (timeUndo) state.ResumeTiming();
        command->Revert(doc);
        if (timeUndo) state.PauseTiming();
        command.reset();
        state.ResumeTiming();
    }
    if (ladder.quiet.box.shown != 0) state.SkipWithError("an edit showed a message");
}

void BM_Place(benchmark::State& state) {
    ApplyAndUndo(state, [](CTarvekDoc& doc, int i) {
        return MakePlaceCommand(doc.CreateBlock(kTypeGain), {4 + 4 * i, 8});
    });
}

void BM_Connect(benchmark::State& state) {
    ApplyAndUndo(state, [](CTarvekDoc& doc, int i) {
        return MakeConnectCommand(SumOf(doc, i), 3, StateOf(doc, i + 50));
    });
}

void BM_Move(benchmark::State& state) {
    ApplyAndUndo(state, [](CTarvekDoc& doc, int i) {
        return MakeMoveCommand(SumOf(doc, i), {4 + 4 * i, 7});
    });
}

void BM_Delete(benchmark::State& state) {
    ApplyAndUndo(state, [](CTarvekDoc& doc, int i) { return MakeDeleteCommand(doc, StateOf(doc, i)); });
}

// 1,000 edits kept as the undo stack keeps them: moves and connections in turn.
void BM_UndoMemory(benchmark::State& state) {
    Ladder ladder;
    CTarvekDoc& doc = *ladder.doc;
    double megabytes = 0.0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<ChartCommand>> stack;
        stack.reserve(1000);
        const long long before = liveBytes;
        for (int e = 0; e < 1000; ++e) {
            const int i = 100 + e * 7;
            stack.push_back(e % 2 == 0 ? MakeMoveCommand(SumOf(doc, i), {4 + 4 * i, 7})
                                       : MakeConnectCommand(SumOf(doc, i), 3, StateOf(doc, i + 3)));
            stack.back()->Apply(doc);
        }
        megabytes = static_cast<double>(liveBytes - before) / 1e6;
        state.PauseTiming();
        for (auto it = stack.rbegin(); it != stack.rend(); ++it) (*it)->Revert(doc);
        stack.clear();
        state.ResumeTiming();
    }
    state.counters["undo_MB"] = megabytes;
}

// Arg 0 times the edit, arg 1 its undo.
BENCHMARK(BM_Place)->ArgName("undo")->Arg(0)->Arg(1)->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Connect)->ArgName("undo")->Arg(0)->Arg(1)->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Move)->ArgName("undo")->Arg(0)->Arg(1)->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delete)->ArgName("undo")->Arg(0)->Arg(1)->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ondrel

BENCHMARK_MAIN();
