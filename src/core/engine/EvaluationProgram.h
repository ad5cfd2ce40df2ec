#pragma once
// The model evaluation of one run, compiled when the run's integrator is made: the compute
// list as a flat array of steps over one contiguous array of values, so that an evaluation
// neither calls through every block's vtable nor chases a pointer into another block for
// every input it reads.
//
// Each block the evaluation reads or writes owns one slot of the value array: the states
// first (in state-list order, so the integrator moves them with one copy), then the compute
// list, then the other sources (the Clock, constants, blocks computed once at run start).
// The common block types (Sum, Multiply, Gain, Negate, the Sine Wave Generator) and
// unconnected formulas are evaluated in place by the same floating-point operations, in the
// same order, as their Compute; every other block is called through its Compute, its
// sources' values handed to them just before. Consecutive steps of one operation run as one
// tight loop, and a state's derivative is written by the step that computes its source
// wherever it can, rather than by a second pass over the sources. Where such steps also
// read and write consecutive slots, as a chart built of repeated stages does, the loop runs
// over arrays and the processor computes two steps with each instruction.
//
// Between steps of the integrator the blocks hold the values, as everything outside the
// evaluation expects: Load takes them into the slots when a step begins, Publish hands the
// results back when it ends. Built once per run, so every edit made between runs counts.
// Evaluate allocates nothing.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ondrel {

class CBlock;

class EvaluationProgram {
public:
    // Compiles the compute list (the Clock's output is the time) and the derivative of each
    // of the given states (source of input 1 times parameter 1, as they are now).
    EvaluationProgram(CBlock* clock, const std::vector<CBlock*>& computeList,
                      const std::vector<CBlock*>& states);

    // Takes the values the evaluation reads before writing them (the states, the other
    // sources) from their blocks, except those whose slots hold results not yet handed back:
    // there the slot is newer than the block.
    void Load();
    // Hands the values written since the last Publish (states stored, blocks computed) back
    // to their blocks.
    void Publish();
    // Calls action(block, value) for every block whose latest result is held in a slot (the
    // states and the compute list): *value is what Publish would hand to it. A block held
    // twice is reported twice, the slot Publish hands over last the last time.
    template <typename Action>
    void ForEachHeldValue(Action action) const {
        for (std::size_t i = 0; i < stateCount_; ++i) action(stateBlocks_[i], values_.data() + i);
        for (const Binding& binding : computed_) action(binding.block, values_.data() + binding.slot);
    }

    // The state slots: StoreStates writes them, LoadStates reads them.
    std::size_t StateCount() const { return stateCount_; }
    const double* States() const { return values_.data(); }
    void StoreStates(const double* y);

    // Computes the compute list in order at the given time (already the document's current
    // time and the Clock's output) and writes each state's derivative; states beyond those
    // compiled get 0.0.
    void Evaluate(double time, double* derivatives, std::size_t stateCount);

    // The number of compute-list blocks evaluated in place rather than through Compute.
    std::size_t InlinedCount() const;
    // Of those, the number evaluated over arrays of consecutive slots.
    std::size_t ArrayCount() const;

private:
    enum class Op : std::uint8_t {
        kConstant,  // a formula without connected inputs: its result never changes
        kSum1, kSum2, kSum3,
        kMultiply1, kMultiply2, kMultiply3,
        kGain, kNegate,
        kSineWave,
        kCompute,   // any other block: through its Compute
    };
    // One block of the compute list. in and p hold the inputs the formula reads and their
    // parameters, in the order it reads them; kSineWave keeps the frequency source and
    // parameter in in[0] and p[0] and the Switch source in in[1]; kCompute keeps the slot of
    // each input row k in in[k - 1]. A slot of -1 stands for an unconnected input. A step
    // of a fused run also writes derivative in[2] as its result times p[2].
    struct Step {
        std::int32_t out = 0;
        std::int32_t in[3] = {-1, -1, -1};
        double p[3] = {0.0, 0.0, 0.0};
    };
    // Consecutive steps of one operation, [begin, end) of steps_: one dispatch per run of
    // them, then a tight loop. In a run over arrays every step reads each input and writes
    // its result (and derivative) one slot further than the step before, and no result slot
    // is an input slot of the run; the steps' parameters are then laid out input by input
    // from arrayParams_[params], so that the run reads nothing but arrays.
    struct Run {
        Op op;
        bool fused;
        bool arrays;
        std::uint32_t begin;
        std::uint32_t end;
        std::uint32_t params;
    };
    // A derivative not written by a step: source slot (-1 when unconnected) times gain.
    struct Gathered {
        std::int32_t state;
        std::int32_t source;
        double gain;
    };
    // A slot and the block whose value it holds.
    struct Binding {
        std::int32_t slot;
        CBlock* block;
    };

    class Builder;
    // Runs a formula's steps, Formula being one of the kernels in the implementation.
    template <class Formula>
    void RunFormula(const Run& run, double* derivatives);
    template <class Formula, bool Fused>
    void RunGathered(const Run& run, double* derivatives);
    template <class Formula, bool Fused>
    void RunOverArrays(const Run& run, double* derivatives);
    void RunSineWaves(const Run& run, double time);
    void ComputeThroughBlocks(const Run& run);

    std::vector<double> values_;
    std::vector<Step> steps_;
    std::vector<CBlock*> stepBlocks_;  // the block of each step
    std::vector<Run> runs_;
    std::vector<double> arrayParams_;  // of the runs over arrays
    std::vector<Gathered> gathered_;
    // Read before written: taken from the blocks by Load. The other sources come first,
    // then the compute-list blocks read before they are computed, then the states.
    std::vector<Binding> loaded_;
    std::size_t externalLoads_ = 0;
    std::size_t feedbackLoads_ = 0;
    std::vector<Binding> computed_;   // written by the steps: handed back by Publish
    std::vector<CBlock*> stateBlocks_;
    std::size_t stateCount_ = 0;
    std::int32_t clockSlot_ = -1;     // -1 when nothing reads the Clock
    bool statesStored_ = false;       // since Publish
    bool evaluated_ = false;          // since Publish
};

}  // namespace ondrel
