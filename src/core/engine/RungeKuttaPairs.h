#pragma once
// The two embedded Runge-Kutta pairs the model's IntStyle chooses between: 0 the six-stage
// 4/5 pair, 1 the thirteen-stage 7/8 pair. They differ from each other only in their tableau
// and step-size exponents.
#include "core/engine/CIntegrator.h"

namespace ondrel {

// The Cash-Karp 4(5) pair: advances the fifth-order solution; the error weights are the
// fifth-order weights minus the fourth-order ones.
class CRungeKutta45 : public CIntegrator {
public:
    CRungeKutta45(int n, RunState& run);
    void SetCoefficients() final;
};

// A 7(8) pair: advances the eighth-order solution; the seventh-order one uses stages 0..10.
class CRungeKutta78 : public CIntegrator {
public:
    CRungeKutta78(int n, RunState& run);
    void SetCoefficients() final;
};

}  // namespace ondrel
