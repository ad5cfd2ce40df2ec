#pragma once
// The Integrate block: a state of the integrator. Its output is the state; during a run the
// integrator advances it with the derivative Gain (parameter 1) x Input (input 1), so the
// run never calls its Compute. It keeps no fields of its own.
#include "core/blocks/CBlock.h"

namespace ondrel {

class CIntegrateBlock final : public CBlock {
public:
    using CBlock::CBlock;

    // Starts the state at its initial value: input 2 when connected, otherwise parameter 2.
    int Setup() override;
    // The integrator owns the output during a run; nothing to compute.
    void Compute() override {}
};

}  // namespace ondrel
