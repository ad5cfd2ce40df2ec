#pragma once
// The benchmarks' model: an N-stage RC ladder, x_i' = k (x_{i-1} - x_i), driven by a Sine
// Wave Generator (frequency 1, no delay) so that the integrator keeps stepping; error limit
// 1e-7, output interval 0.01, 1,000 intervals.
#include <cstdio>
#include <cstdlib>

#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel::bench {

constexpr double kRate = 10.0;  // k of every stage
constexpr double kErrorLimit = 1e-7;
constexpr double kInterval = 0.01;
constexpr double kIntervals = 1000.0;

inline CBlock* Place(CTarvekDoc& doc, int typeId, int x, int y) {
    auto pending = doc.CreateBlock(typeId);
    if (!pending) {
        std::fprintf(stderr, "no block of type %d\n", typeId);
        std::exit(1);
    }
    doc.PlaceBlock(std::move(pending), x, y);
    return doc.blockList.back().get();
}

// The ladder as a user would build it: per stage a Sum (upstream minus own state) feeding an
// Integrate of gain k.
inline void BuildLadder(CTarvekDoc& doc, int stages) {
    doc.OnNewDocument();
    CBlock& clock = *doc.Clock();
    clock.param[1] = kErrorLimit;
    clock.param[2] = kInterval;
    clock.param[3] = kInterval * kIntervals;
    CBlock* upstream = Place(doc, kTypeSineWaveGenerator, 2, 2);
    upstream->param[1] = 1.0;  // frequency
    upstream->param[2] = 0.0;  // phase
    upstream->param[3] = 0.0;  // delay
    for (int i = 0; i < stages; ++i) {
        CBlock* sum = Place(doc, kTypeSum, 4 + 4 * i, 4);
        CBlock* state = Place(doc, kTypeIntegrate, 6 + 4 * i, 4);
        state->param[1] = kRate;
        state->param[2] = 0.0;
        sum->param[2] = -1.0;
        doc.ConnectInput(sum, 1, upstream);
        doc.ConnectInput(sum, 2, state);
        doc.ConnectInput(state, 1, sum);
        upstream = state;
    }
}

}  // namespace ondrel::bench
