// Saving and loading a large chart: 1,000 blocks with 10,000 samples each (80 MB of
// samples), in memory and through the file system.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/StateOnlyViewHost.h"

namespace {

using namespace ondrel;

constexpr int kBlocks = 1000;
constexpr int kSamples = 10000;
constexpr int kGainType = 61631;

std::unique_ptr<CTarvekDoc> LargeChart() {
    auto doc = std::make_unique<CTarvekDoc>();
    doc->OnNewDocument();
    CBlock* previous = doc->Clock();
    while (static_cast<int>(doc->blockList.size()) < kBlocks) {
        int n = static_cast<int>(doc->blockList.size());
        doc->PlaceBlock(doc->CreateBlock(kGainType), n % 40, n / 40 + 1);
        CBlock* gain = doc->blockList.back().get();
        doc->ConnectInput(gain, 1, previous);
        previous = gain;
    }
    for (auto& block : doc->blockList) {
        block->history.resize(kSamples);
        for (int i = 0; i < kSamples; ++i) block->history[i] = i * 0.001 + block->position.x;
    }
    return doc;
}

void SetBytes(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_SaveToMemory(benchmark::State& state) {
    auto doc = LargeChart();
    StateOnlyViewHost host;
    std::size_t size = 0;
    for (auto _ : state) {
        auto bytes = ChartBytes(*doc, host);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    SetBytes(state, size);
}

void BM_LoadFromMemory(benchmark::State& state) {
    auto doc = LargeChart();
    StateOnlyViewHost host;
    auto bytes = ChartBytes(*doc, host);
    for (auto _ : state) {
        CTarvekDoc loaded;
        StateOnlyViewHost loadedHost;
        CArchive ar = CArchive::ForReading(bytes);
        if (!ReadChart(ar, loaded, loadedHost)) state.SkipWithError("load failed");
    }
    SetBytes(state, bytes.size());
}

std::string TempChart() {
    return (std::filesystem::temp_directory_path() / ("bench-files-" + std::to_string(::getpid()) + ".cht"))
        .string();
}

void BM_SaveFile(benchmark::State& state) {
    auto doc = LargeChart();
    StateOnlyViewHost host;
    std::string path = TempChart();
    for (auto _ : state)
        if (!SaveChartFile(path, *doc, host)) state.SkipWithError("save failed");
    SetBytes(state, std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

void BM_LoadFile(benchmark::State& state) {
    auto doc = LargeChart();
    StateOnlyViewHost host;
    std::string path = TempChart();
    SaveChartFile(path, *doc, host);
    for (auto _ : state) {
        CTarvekDoc loaded;
        StateOnlyViewHost loadedHost;
        if (!LoadChartFile(path, loaded, loadedHost)) state.SkipWithError("load failed");
    }
    SetBytes(state, std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

BENCHMARK(BM_SaveToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
