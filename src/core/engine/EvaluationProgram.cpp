#include "core/engine/EvaluationProgram.h"

#include <algorithm>
#include <cstring>
#include <typeinfo>
#include <utility>

#include "core/blocks/CBlock.h"
#include "core/blocks/Generators.h"
#include "core/blocks/StatelessBlocks.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel {

void EvaluationProgram::Load() {
    double* v = values_.data();
    const auto load = [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) v[loaded_[i].slot] = loaded_[i].block->value;
    };
    const std::size_t statesBegin = externalLoads_ + feedbackLoads_;
    load(0, externalLoads_);
    if (!evaluated_) load(externalLoads_, statesBegin);
    if (!statesStored_) load(statesBegin, loaded_.size());
}

void EvaluationProgram::Publish() {
    const double* v = values_.data();
    if (statesStored_) {
        for (std::size_t i = 0; i < stateCount_; ++i) stateBlocks_[i]->value = v[i];
    }
    if (evaluated_) {
        for (const Binding& binding : computed_) binding.block->value = v[binding.slot];
    }
    statesStored_ = false;
    evaluated_ = false;
}

void EvaluationProgram::StoreStates(const double* y) {
    if (stateCount_ > 0) std::memcpy(values_.data(), y, stateCount_ * sizeof(double));
    statesStored_ = true;
}

namespace kernel {

// The formulas evaluated in place. Each repeats its block's Compute operation for operation
// (accumulator start, operand order), which is what keeps the samples identical to the last
// bit; it reads the inputs x0 .. up to kInputs and the parameters it needs.
struct Constant {
    static constexpr int kInputs = 0;
    static double Of(double, double, double, double p0, double, double) { return p0; }
};
struct Sum1 {
    static constexpr int kInputs = 1;
    static double Of(double x0, double, double, double p0, double, double) {
        return 0.0 + x0 * p0;
    }
};
struct Sum2 {
    static constexpr int kInputs = 2;
    static double Of(double x0, double x1, double, double p0, double p1, double) {
        return (0.0 + x0 * p0) + x1 * p1;
    }
};
struct Sum3 {
    static constexpr int kInputs = 3;
    static double Of(double x0, double x1, double x2, double p0, double p1, double p2) {
        return ((0.0 + x0 * p0) + x1 * p1) + x2 * p2;
    }
};
struct Multiply1 {
    static constexpr int kInputs = 1;
    static double Of(double x0, double, double, double p0, double, double) {
        return x0 * 1.0 * p0;
    }
};
struct Multiply2 {
    static constexpr int kInputs = 2;
    static double Of(double x0, double x1, double, double p0, double p1, double) {
        return x1 * (x0 * 1.0 * p0) * p1;
    }
};
struct Multiply3 {
    static constexpr int kInputs = 3;
    static double Of(double x0, double x1, double x2, double p0, double p1, double p2) {
        return x2 * (x1 * (x0 * 1.0 * p0) * p1) * p2;
    }
};
struct Gain {
    static constexpr int kInputs = 1;
    static double Of(double x0, double, double, double p0, double, double) { return p0 * x0; }
};
struct Negate {
    static constexpr int kInputs = 1;
    static double Of(double x0, double, double, double p0, double, double) {
        return -(p0 * x0);
    }
};

}  // namespace kernel

template <class Formula>
void EvaluationProgram::RunFormula(const Run& run, double* derivatives) {
    // Only a formula of up to two inputs leaves in[2] free for a derivative.
    if constexpr (Formula::kInputs < 3) {
        if (run.fused) {
            if (run.arrays) {
                RunOverArrays<Formula, true>(run, derivatives);
            } else {
                RunGathered<Formula, true>(run, derivatives);
            }
            return;
        }
    }
    if constexpr (Formula::kInputs > 0) {
        if (run.arrays) {
            RunOverArrays<Formula, false>(run, derivatives);
            return;
        }
    }
    RunGathered<Formula, false>(run, derivatives);
}

template <class Formula, bool Fused>
void EvaluationProgram::RunGathered(const Run& run, double* derivatives) {
    double* v = values_.data();
    const Step* last = steps_.data() + run.end;
    for (const Step* step = steps_.data() + run.begin; step != last; ++step) {
        const double x0 = Formula::kInputs > 0 ? v[step->in[0]] : 0.0;
        const double x1 = Formula::kInputs > 1 ? v[step->in[1]] : 0.0;
        const double x2 = Formula::kInputs > 2 ? v[step->in[2]] : 0.0;
        const double out = Formula::Of(x0, x1, x2, step->p[0], step->p[1], step->p[2]);
        v[step->out] = out;
        if constexpr (Fused) derivatives[step->in[2]] = out * step->p[2];
    }
}

// Steps over arrays. Each pointer is the only way to what it points at while the loop runs
// (the inputs, which are only read, may overlap one another), so nothing keeps the compiler
// from computing two steps with one vector instruction per operation.
template <class Formula, bool Fused>
static void StepOverArrays(std::size_t count, const double* __restrict x0,
                           const double* __restrict x1, const double* __restrict x2,
                           const double* __restrict p0, const double* __restrict p1,
                           const double* __restrict p2, double* __restrict out,
                           double* __restrict d) {
    // Written two steps at a time, as the compiler pairs them at any optimisation level.
    std::size_t i = 0;
    for (; i + 2 <= count; i += 2) {
        const double r0 = Formula::Of(x0[i], x1[i], x2[i], p0[i], p1[i], p2[i]);
        const double r1 =
            Formula::Of(x0[i + 1], x1[i + 1], x2[i + 1], p0[i + 1], p1[i + 1], p2[i + 1]);
        out[i] = r0;
        out[i + 1] = r1;
        if constexpr (Fused) {
            d[i] = r0 * p2[i];
            d[i + 1] = r1 * p2[i + 1];
        }
    }
    if (i < count) {
        out[i] = Formula::Of(x0[i], x1[i], x2[i], p0[i], p1[i], p2[i]);
        if constexpr (Fused) d[i] = out[i] * p2[i];
    }
}

template <class Formula, bool Fused>
void EvaluationProgram::RunOverArrays(const Run& run, double* derivatives) {
    const Step& first = steps_[run.begin];
    const std::size_t count = run.end - run.begin;
    double* v = values_.data();
    // The builder made sure that no result slot is read by the run. An input the formula
    // does not read points at the first one.
    const double* x0 = v + first.in[0];
    const double* x1 = Formula::kInputs > 1 ? v + first.in[1] : x0;
    const double* x2 = Formula::kInputs > 2 ? v + first.in[2] : x0;
    const double* p0 = arrayParams_.data() + run.params;
    StepOverArrays<Formula, Fused>(count, x0, x1, x2, p0, p0 + count, p0 + 2 * count,
                                   v + first.out, derivatives + (Fused ? first.in[2] : 0));
}

void EvaluationProgram::RunSineWaves(const Run& run, double time) {
    double* v = values_.data();
    for (std::uint32_t i = run.begin; i < run.end; ++i) {
        const Step& step = steps_[i];
        const double frequency = step.in[0] >= 0 ? v[step.in[0]] : step.p[0];
        const bool on = step.in[1] < 0 || v[step.in[1]] > 0.0;
        auto* wave = static_cast<CSineWaveGeneratorBlock*>(stepBlocks_[i]);
        v[step.out] = wave->Advance(time, on, frequency);
    }
}

void EvaluationProgram::ComputeThroughBlocks(const Run& run) {
    double* v = values_.data();
    for (std::uint32_t i = run.begin; i < run.end; ++i) {
        // The block reads its sources through its input pointers: they must hold this
        // evaluation's values first.
        const Step& step = steps_[i];
        CBlock& block = *stepBlocks_[i];
        for (int k = 1; k <= 3; ++k)
            if (step.in[k - 1] >= 0) block.input[k]->value = v[step.in[k - 1]];
        block.Compute();
        v[step.out] = block.value;
    }
}

void EvaluationProgram::Evaluate(double time, double* derivatives, std::size_t stateCount) {
    if (clockSlot_ >= 0) values_[clockSlot_] = time;
    for (const Run& run : runs_) {
        switch (run.op) {
            case Op::kConstant: RunFormula<kernel::Constant>(run, derivatives); break;
            case Op::kSum1: RunFormula<kernel::Sum1>(run, derivatives); break;
            case Op::kSum2: RunFormula<kernel::Sum2>(run, derivatives); break;
            case Op::kSum3: RunFormula<kernel::Sum3>(run, derivatives); break;
            case Op::kMultiply1: RunFormula<kernel::Multiply1>(run, derivatives); break;
            case Op::kMultiply2: RunFormula<kernel::Multiply2>(run, derivatives); break;
            case Op::kMultiply3: RunFormula<kernel::Multiply3>(run, derivatives); break;
            case Op::kGain: RunFormula<kernel::Gain>(run, derivatives); break;
            case Op::kNegate: RunFormula<kernel::Negate>(run, derivatives); break;
            case Op::kSineWave:
                RunSineWaves(run, time);
                break;
            case Op::kCompute:
                ComputeThroughBlocks(run);
                break;
        }
    }
    evaluated_ = true;
    const double* v = values_.data();
    for (const Gathered& g : gathered_) {
        // Input 1 is required, so the run's check has connected it; a missing source
        // contributes nothing rather than crashing.
        derivatives[g.state] = g.source >= 0 ? v[g.source] * g.gain : 0.0;
    }
    for (std::size_t i = stateCount_; i < stateCount; ++i) derivatives[i] = 0.0;
}

std::size_t EvaluationProgram::InlinedCount() const {
    std::size_t inlined = 0;
    for (const Run& run : runs_)
        if (run.op != Op::kCompute) inlined += run.end - run.begin;
    return inlined;
}

std::size_t EvaluationProgram::ArrayCount() const {
    std::size_t overArrays = 0;
    for (const Run& run : runs_)
        if (run.arrays) overArrays += run.end - run.begin;
    return overArrays;
}

}  // namespace ondrel
