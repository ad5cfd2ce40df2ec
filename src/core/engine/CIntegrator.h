#pragma once
// The embedded Runge-Kutta integrators that advance the state blocks over an output interval.
//
// One integrator exists per run. It takes as many internal steps as its error control needs
// to cover exactly one output interval, leaves every block of the compute list holding its
// value at the interval end, and returns the step size the next interval starts with. The
// stepping algorithm lives here; a pair only supplies its tableau and step-size exponents.
//
// Every array is allocated by the constructor: Step and Evaluate allocate nothing. Every sum
// of the algorithm is accumulated in index order into an accumulator starting at 0.0 and only
// then added to the start state, so two correct builds give the same samples to the last bit.
#include <cstddef>
#include <vector>

#include "core/engine/EvaluationProgram.h"

namespace ondrel {

class CBlock;
class RunState;

class CIntegrator {
public:
    virtual ~CIntegrator() = default;
    CIntegrator(const CIntegrator&) = delete;
    CIntegrator& operator=(const CIntegrator&) = delete;

    // Advances every state block from the run's interval start over interval time units,
    // first trying step size h. Returns the size of the last accepted step, or 0.0 when the
    // run must stop: a stop request (no message), too many steps needed or an error estimate
    // that is not a finite number (a "RunTime Error" message each).
    virtual double Step(double h, double interval);
    // Fills c, a, b and e; the pair's constructor calls it.
    virtual void SetCoefficients() = 0;

    // One model evaluation at stageTime after the interval start: sets the current time and
    // the Clock's output, computes the compute list in order and writes each state's
    // derivative (source of input 1 times parameter 1, as they were at construction).
    // Returns false without evaluating anything when the run's stop flag is set, true
    // otherwise. The compute list is evaluated through the program compiled at
    // construction; outside Step the blocks hold the results as soon as it returns.
    virtual bool Evaluate(double stageTime, double* derivatives);
    // With hold set, a step leaves its results in the program's slots instead of handing
    // them to the blocks as it ends; Load then keeps the newer slots. Only for a run where
    // nothing reads the blocks' outputs between steps but through HeldValues: whoever sets
    // it calls HandResultsToBlocks before the blocks are read.
    void HoldResultsBetweenSteps(bool hold) { holdResults_ = hold; }
    void HandResultsToBlocks() { program_.Publish(); }
    // Calls action(block, value) for every block whose latest result is held by the
    // integrator: *value is that result (what the block holds once handed over).
    template <typename Action>
    void ForEachHeldValue(Action action) const { program_.ForEachHeldValue(action); }

    // The largest magnitude over the states of the error sum of the stages; not a finite
    // number as soon as any state's sum is not (0.0 when there are no states).
    double MaxError() const;
    // The step size the controller proposes after a step of size h with error estimate err.
    double NextStepSize(double err, double h) const;

    // Members in the order the integrator keeps them.
    RunState* run;              // not owned
    int n;                      // number of state blocks
    int s;                      // number of stages
    std::vector<double> c;      // s stage time fractions
    std::vector<double> a;      // s x s stage coefficients, row j uses columns 0..j-1
    std::vector<double> b;      // s weights of the solution that is advanced
    std::vector<double> e;      // s error weights (difference of the pair's two solutions)
    int adaptive = 1;
    double errorLimit = 0.0;
    double safety = 0.9;
    double growExponent = 0.0;
    double shrinkExponent = 0.0;
    std::vector<double> yWork;  // stage input states, then the derivatives of an evaluation
    std::vector<double> yStart; // states at the start of the current step
    std::vector<double> yNew;   // states at the end of the current step
    std::vector<double> k;      // s x n stage increments (derivative x step), row per stage
    double lastStep = 0.0;

protected:
    // Allocates every array for n states and s stages and copies the error limit from the
    // Clock (the document's first block). The document must hold its Clock and the run its
    // state and compute lists.
    CIntegrator(int n, int s, RunState& run);

    double A(int row, int column) const { return a[row * s + column]; }
    double* K(int stage) { return k.data() + static_cast<std::size_t>(stage) * n; }
    const double* K(int stage) const { return k.data() + static_cast<std::size_t>(stage) * n; }

    // Where the states live: the outputs of the state blocks, held in the program's slots
    // while a step is under way. A stand-alone model (the benchmark's reference) keeps them
    // elsewhere.
    virtual void LoadStates(double* y) const;
    virtual void StoreStates(const double* y);
    // Called when Step begins and on every way out of it: the program takes the blocks'
    // values, and hands its results back to the blocks, so that between steps (when the
    // run records, stops or fails) every block holds what its last store or evaluation
    // gave it. A model that overrides Evaluate, LoadStates and StoreStates with one of its
    // own overrides these too.
    virtual void BeginStep();
    virtual void EndStep();

private:
    struct StepScope;  // BeginStep on entry to Step, EndStep on every way out

    // One attempt over hTry from accumulated time t: the stages, then yNew. False when an
    // evaluation was refused.
    bool Attempt(double hTry, double t);
    void StageInput(int j);
    void CombineNewState();
    // The "RunTime Error" messages that end a run.
    void ReportExcessiveSteps(double stepsNeeded) const;
    void ReportIntegrationFailure() const;
    void ReportIntervalStatistics(double largestError, double attempts) const;

    // The compute list and the derivatives of the state list's first n blocks, compiled at
    // construction: wiring and parameters cannot change while a run is under way.
    EvaluationProgram program_;
    bool inStep_ = false;
    bool holdResults_ = false;
    CBlock* clock_ = nullptr;
    CBlock* errorOutput_ = nullptr;  // the Clock's "Error" output
    CBlock* countOutput_ = nullptr;  // the Clock's "Count" output
};

}  // namespace ondrel
