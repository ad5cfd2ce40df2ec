#include "engine/EvaluationProgram.h"

#include <algorithm>
#include <cstring>
#include <typeinfo>
#include <utility>

#include "blocks/CBlock.h"
#include "blocks/Generators.h"
#include "blocks/StatelessBlocks.h"
#include "model/CTarvekDoc.h"

namespace ondrel {

void EvaluationProgram::Load() {
    double* v = values_.data();
    for (const Binding& binding : loaded_) v[binding.slot] = binding.block->value;
    statesStored_ = false;
    evaluated_ = false;
}

void EvaluationProgram::Publish() {
    const double* v = values_.data();
    if (statesStored_) {
        for (std::size_t i = 0; i < stateCount_; ++i) stateBlocks_[i]->value = v[i];
    }
    if (evaluated_) {
        for (const Binding& binding : computed_) binding.block->value = v[binding.slot];
    }
}

void EvaluationProgram::StoreStates(const double* y) {
    if (stateCount_ > 0) std::memcpy(values_.data(), y, stateCount_ * sizeof(double));
    statesStored_ = true;
}

template <bool Fused, class Kernel>
inline void EvaluationProgram::ForEachStep(const Run& run, double* derivatives, Kernel kernel) {
    double* v = values_.data();
    const Step* last = steps_.data() + run.end;
    for (const Step* step = steps_.data() + run.begin; step != last; ++step) {
        const double out = kernel(step->in, step->p, v);
        v[step->out] = out;
        if constexpr (Fused) derivatives[step->in[2]] = out * step->p[2];
    }
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
    using In = const std::int32_t*;
    using P = const double*;
    // Each kernel repeats its block's formula operation for operation (accumulator start,
    // operand order), which is what keeps the samples identical to the last bit.
    for (const Run& run : runs_) {
        switch (run.op) {
            case Op::kConstant:
                ForEachStep(run, derivatives, [](In, P p, const double*) { return p[0]; });
                break;
            case Op::kSum1:
                ForEachStep(run, derivatives, [](In in, P p, const double* v) {
                    return 0.0 + v[in[0]] * p[0];
                });
                break;
            case Op::kSum2:
                ForEachStep(run, derivatives, [](In in, P p, const double* v) {
                    return (0.0 + v[in[0]] * p[0]) + v[in[1]] * p[1];
                });
                break;
            case Op::kSum3:
                ForEachStep(run, derivatives, [](In in, P p, const double* v) {
                    return ((0.0 + v[in[0]] * p[0]) + v[in[1]] * p[1]) + v[in[2]] * p[2];
                });
                break;
            case Op::kMultiply1:
                ForEachStep(run, derivatives, [](In in, P p, const double* v) {
                    return v[in[0]] * 1.0 * p[0];
                });
                break;
            case Op::kMultiply2:
                ForEachStep(run, derivatives, [](In in, P p, const double* v) {
                    return v[in[1]] * (v[in[0]] * 1.0 * p[0]) * p[1];
                });
                break;
            case Op::kMultiply3:
                ForEachStep(run, derivatives, [](In in, P p, const double* v) {
                    return v[in[2]] * (v[in[1]] * (v[in[0]] * 1.0 * p[0]) * p[1]) * p[2];
                });
                break;
            case Op::kGain:
                ForEachStep(run, derivatives,
                            [](In in, P p, const double* v) { return p[0] * v[in[0]]; });
                break;
            case Op::kNegate:
                ForEachStep(run, derivatives,
                            [](In in, P p, const double* v) { return -(p[0] * v[in[0]]); });
                break;
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

}  // namespace ondrel
