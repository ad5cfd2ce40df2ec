// Connector routing speed: a 200-block chart on a 20 x 10 grid gets every input connected,
// one by one, as a user would wire it, so each connector is routed against all those made
// before it. Reported per connector, at the default lane counts and at 15 lanes per cell.
// The collision test alone is measured both ways: the full pass over every connector and
// the lane index the router uses.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/LaneOccupancy.h"
#include "core/platform/Platform.h"

namespace ondrel {
namespace {

constexpr int kColumns = 20;
constexpr int kRows = 10;

// Answers OK and counts the "Line Error" messages: the unroutable connectors.
class CountingMessageBox : public IMessageBox {
public:
    MsgResult Show(const std::string&, const std::string& caption, MsgButtons, MsgIcon) override {
        if (caption == "Line Error") ++lineErrors;
        if (caption != "Line Error") ++debugQuestions;
        return MsgResult::Ok;
    }
    int lineErrors = 0;
    int debugQuestions = 0;  // one per collision test while the debug display is on
};

struct Connection {
    int target;
    int k;
    int source;
};

// Gain, Integrate and Sum in turn (one, two and three inputs), every seventh block flipped.
void PlaceBlocks(CTarvekDoc& doc) {
    const int types[3] = {kTypeGain, kTypeIntegrate, kTypeSum};
    for (int i = 0; i < kColumns * kRows; ++i) {
        auto pending = doc.CreateBlock(types[i % 3]);
        pending->flipped = i % 7 == 3 ? 1 : 0;
        doc.PlaceBlock(std::move(pending), i % kColumns, i / kColumns);
    }
}

// Input 1 from the left neighbour (mostly direct), input 2 from the previous column three
// rows down (mostly one vertical lane), input 3 from anywhere (a general route).
std::vector<Connection> Wiring(const CTarvekDoc& doc) {
    std::vector<Connection> wiring;
    unsigned seed = 2024;
    const auto at = [](int x, int y) { return ((y + kRows) % kRows) * kColumns + (x + kColumns) % kColumns; };
    for (int i = 0; i < kColumns * kRows; ++i) {
        const int x = i % kColumns;
        const int y = i / kColumns;
        const int inputs = doc.blockList[static_cast<std::size_t>(i)]->inputCount;
        if (inputs >= 1) wiring.push_back({i, 1, at(x - 1, y)});
        if (inputs >= 2) wiring.push_back({i, 2, at(x - 1, y + 3)});
        if (inputs >= 3) {
            seed = seed * 1103515245u + 12345u;
            wiring.push_back({i, 3, static_cast<int>((seed >> 16) % (kColumns * kRows))});
        }
    }
    return wiring;
}

void ConnectAll(CTarvekDoc& doc, const std::vector<Connection>& wiring) {
    for (const auto& c : wiring) {
        doc.ConnectInput(doc.blockList[static_cast<std::size_t>(c.target)].get(), c.k,
                         doc.blockList[static_cast<std::size_t>(c.source)].get());
    }
}

void BM_ConnectEveryInput(benchmark::State& state) {
    CountingMessageBox box;
    ScopedPlatform platform(PlatformServices{&box, nullptr, nullptr, nullptr, nullptr, nullptr});
    std::size_t connectors = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CTarvekDoc>();
        doc->vertLines = doc->horizLines = static_cast<int>(state.range(0));
        PlaceBlocks(*doc);
        const auto wiring = Wiring(*doc);
        connectors = wiring.size();
        box.lineErrors = 0;
        state.ResumeTiming();
        ConnectAll(*doc, wiring);
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    const int unroutable = box.lineErrors;
    // Once more, untimed, with the debug display on: it asks once per collision test.
    CTarvekDoc counted;
    counted.vertLines = counted.horizLines = static_cast<int>(state.range(0));
    PlaceBlocks(counted);
    counted.connectorDebug = 1;
    box.debugQuestions = 0;
    ConnectAll(counted, Wiring(counted));
    state.counters["tests_per_connector"] = static_cast<double>(box.debugQuestions) / connectors;
    state.counters["connectors"] = static_cast<double>(connectors);
    state.counters["unroutable"] = unroutable;
    state.counters["per_connector"] = benchmark::Counter(
        static_cast<double>(connectors), benchmark::Counter::kIsIterationInvariantRate |
                                             benchmark::Counter::kInvert);
}
BENCHMARK(BM_ConnectEveryInput)->Arg(5)->Arg(15)->Unit(benchmark::kMillisecond);

// A connector routed through lanes, as late in the list as possible: its stored path is free,
// so the test has to look at everything before it can say so.
std::pair<CBlock*, int> LastLaneRoutedConnector(const CTarvekDoc& doc) {
    for (auto it = doc.blockList.rbegin(); it != doc.blockList.rend(); ++it) {
        for (int k = 3; k >= 1; --k) {
            const std::int32_t lane = (*it)->route[k][kRouteTargetLane];
            if ((*it)->input[k] != nullptr && lane != kNoRoute && lane != kDirectRoute) {
                return {it->get(), k};
            }
        }
    }
    return {nullptr, 0};
}

// One collision test of a free path on the finished chart.
template <bool kIndexed>
void BM_CollisionTest(benchmark::State& state) {
    CountingMessageBox box;
    ScopedPlatform platform(PlatformServices{&box, nullptr, nullptr, nullptr, nullptr, nullptr});
    CTarvekDoc doc;
    PlaceBlocks(doc);
    ConnectAll(doc, Wiring(doc));
    const auto [target, k] = LastLaneRoutedConnector(doc);
    if (target == nullptr) {
        state.SkipWithError("no connector routed through lanes");
        return;
    }
    LaneOccupancy lanes;
    lanes.Build(doc.blockList, target->input[k]);
    const ConnectorPoints candidate = *ConnectorGeometry(*target, k);
    for (auto _ : state) {
        if constexpr (kIndexed) {
            benchmark::DoNotOptimize(lanes.Collides(candidate));
        } else {
            benchmark::DoNotOptimize(PathIsFree(doc.blockList, *target, k));
        }
    }
}
BENCHMARK(BM_CollisionTest<false>)->Name("BM_CollisionTest/full_pass");
BENCHMARK(BM_CollisionTest<true>)->Name("BM_CollisionTest/indexed");

}  // namespace
}  // namespace ondrel

BENCHMARK_MAIN();
