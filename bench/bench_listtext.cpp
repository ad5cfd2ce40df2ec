// "Print to File" of a large list: 100 columns of 100,000 samples (about 110 MB of text), to
// memory and through the file system; and the value text of one cell.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <unistd.h>

#include "core/model/CTarvekDoc.h"
#include "core/model/views/ListText.h"
#include "core/model/views/ListViewState.h"

namespace {

using namespace ondrel;

constexpr int kColumns = 100;
constexpr int kSamples = 100000;
constexpr int kGainType = 61631;

std::unique_ptr<CTarvekDoc> LargeRun() {
    auto doc = std::make_unique<CTarvekDoc>();
    doc->OnNewDocument();
    while (static_cast<int>(ListViewState::DefaultBlocks(*doc).size()) < kColumns) {
        int n = static_cast<int>(doc->blockList.size());
        doc->PlaceBlock(doc->CreateBlock(kGainType), n % 40, n / 40 + 1);
    }
    for (auto& block : doc->blockList) {
        block->history.resize(kSamples);
        // Values of every magnitude and sign, as a run gives them.
        for (int i = 0; i < kSamples; ++i)
            block->history[i] = (i % 7 - 3) * std::exp((i % 61) - 30.0) / (block->position.x + 1.5);
    }
    return doc;
}

ListTable LargeTable(const CTarvekDoc& doc) {
    ListViewState state;
    state.CompleteDefaults(doc);
    return ListTableOf(state, doc);
}

void BM_PrintToFileInMemory(benchmark::State& state) {
    auto doc = LargeRun();
    ListTable table = LargeTable(*doc);
    std::size_t size = 0;
    for (auto _ : state) {
        std::string text = PrintToFileText(table, "notes");
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_PrintToFileOnDisk(benchmark::State& state) {
    auto doc = LargeRun();
    ListTable table = LargeTable(*doc);
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("ondrel-bench-" + std::to_string(::getpid()) + ".prn");
    for (auto _ : state) {
        std::string error = SavePrintToFile(path.string(), table, "notes");
        if (!error.empty()) state.SkipWithError(error.c_str());
    }
    std::uintmax_t size = std::filesystem::file_size(path);
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_ValueText(benchmark::State& state) {
    char out[kListValueTextCapacity];
    double v = -1.234567e-12;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatListValue(v, 3, 0, out));
        v *= -1.0000001;
    }
}

BENCHMARK(BM_PrintToFileInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PrintToFileOnDisk)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ValueText);

}  // namespace

BENCHMARK_MAIN();
