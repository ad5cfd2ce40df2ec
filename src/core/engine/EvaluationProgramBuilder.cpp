// Compiling a run's evaluation: slots for the blocks, a step per compute-list block, the
// derivatives folded into the steps that compute their sources.
#include <algorithm>
#include <typeinfo>

#include "core/blocks/CBlock.h"
#include "core/blocks/Generators.h"
#include "core/blocks/StatelessBlocks.h"
#include "core/engine/EvaluationProgram.h"

namespace ondrel {

// The blocks are looked up in one sorted array, so compiling costs a handful of allocations
// whatever the size of the chart.
class EvaluationProgram::Builder {
public:
    Builder(EvaluationProgram& program, CBlock* clock, const std::vector<CBlock*>& computeList,
            const std::vector<CBlock*>& states)
        : program_(program), clock_(clock), computeList_(computeList), states_(states) {}

    void Build() {
        IndexBlocks();
        AssignSlots();
        for (CBlock* block : computeList_) Append(*block);
        ChooseLoadedSlots();
        AssignDerivatives();
        FormRuns();
    }

private:
    struct Entry {
        CBlock* block;
        std::int32_t slot;
    };

    void Note(CBlock* block) {
        if (block != nullptr) index_.push_back({block, -1});
    }
    void IndexBlocks() {
        for (CBlock* state : states_) {
            Note(state);
            Note(state->input[1]);
        }
        for (CBlock* block : computeList_) {
            Note(block);
            for (int k = 1; k <= 3; ++k) Note(block->input[k]);
        }
        Note(clock_);
        const auto byAddress = [](const Entry& x, const Entry& y) { return x.block < y.block; };
        std::sort(index_.begin(), index_.end(), byAddress);
        const auto same = [](const Entry& x, const Entry& y) { return x.block == y.block; };
        index_.erase(std::unique(index_.begin(), index_.end(), same), index_.end());
    }
    Entry& Find(const CBlock* block) {
        const auto at = std::lower_bound(
            index_.begin(), index_.end(), block,
            [](const Entry& entry, const CBlock* key) { return entry.block < key; });
        return *at;  // every block looked up was noted
    }
    std::int32_t SlotOf(const CBlock* block) { return Find(block).slot; }

    // States first, so that the integrator moves them with one copy. A block listed twice as
    // a state reads as its later slot, as the later of two stores would have left it.
    void AssignSlots() {
        std::int32_t next = 0;
        for (const CBlock* state : states_) Find(state).slot = next++;
        program_.stateCount_ = states_.size();
        program_.stateBlocks_.assign(states_.begin(), states_.end());
        for (const CBlock* block : computeList_) {
            Entry& entry = Find(block);
            if (entry.slot >= 0) continue;
            entry.slot = next++;
            program_.computed_.push_back({entry.slot, entry.block});
        }
        firstExternal_ = next;
        for (Entry& entry : index_) {
            if (entry.slot >= 0) continue;
            entry.slot = next++;
            program_.loaded_.push_back({entry.slot, entry.block});
        }
        program_.externalLoads_ = program_.loaded_.size();
        program_.values_.assign(static_cast<std::size_t>(next), 0.0);
        const CBlock* clock = clock_;
        program_.clockSlot_ = clock != nullptr ? SlotOf(clock) : -1;
    }

    void Append(CBlock& block) {
        Step step;
        step.out = SlotOf(&block);
        ops_.push_back(Choose(block, step));
        program_.steps_.push_back(step);
        program_.stepBlocks_.push_back(&block);
    }
    // The operation that evaluates the block, its inputs and parameters filled into step.
    Op Choose(const CBlock& block, Step& step) {
        const std::type_info& type = typeid(block);
        if (type == typeid(CSumBlock)) return Formula(block, step, Op::kSum1, SumFormula);
        if (type == typeid(CMultiplyBlock))
            return Formula(block, step, Op::kMultiply1, MultiplyFormula);
        if (type == typeid(CGainBlock)) return Single(block, step, Op::kGain, GainFormula);
        if (type == typeid(CNegateBlock)) return Single(block, step, Op::kNegate, NegateFormula);
        if (type == typeid(CSineWaveGeneratorBlock)) {
            step.in[0] = block.input[1] ? SlotOf(block.input[1]) : -1;
            step.p[0] = block.param[1];
            step.in[1] = block.input[3] ? SlotOf(block.input[3]) : -1;
            return Op::kSineWave;
        }
        for (int k = 1; k <= 3; ++k) step.in[k - 1] = block.input[k] ? SlotOf(block.input[k]) : -1;
        return Op::kCompute;
    }
    // A formula over the connected inputs in row order: one operation per count of them,
    // the sequence kind1, kind2, kind3.
    Op Formula(const CBlock& block, Step& step, Op kind1, BlockFormula formula) {
        int count = 0;
        for (int k = 1; k <= 3; ++k) {
            if (!block.input[k]) continue;
            step.in[count] = SlotOf(block.input[k]);
            step.p[count] = block.param[k];
            ++count;
        }
        if (count == 0) return Constant(block, step, formula);
        return static_cast<Op>(static_cast<int>(kind1) + count - 1);
    }
    // A formula of input 1 alone.
    Op Single(const CBlock& block, Step& step, Op op, BlockFormula formula) {
        if (!block.input[1]) return Constant(block, step, formula);
        step.in[0] = SlotOf(block.input[1]);
        step.p[0] = block.param[1];
        return op;
    }
    // Without connected inputs a formula reads only parameters, which a run never changes.
    static Op Constant(const CBlock& block, Step& step, BlockFormula formula) {
        step.p[0] = formula(block);
        return Op::kConstant;
    }

    // A compute-list slot read before its step writes it in an evaluation (a block fed by
    // itself, or by a block after it) reads what the block held: it is loaded too.
    void ChooseLoadedSlots() {
        std::vector<bool> written(program_.values_.size(), false);
        std::vector<bool> loaded(program_.values_.size(), false);
        for (const Step& step : program_.steps_) {
            for (std::int32_t slot : step.in) {
                if (slot < firstExternal_ && slot >= static_cast<std::int32_t>(states_.size()) &&
                    !written[slot] && !loaded[slot]) {
                    loaded[slot] = true;
                    program_.loaded_.push_back({slot, BlockIn(slot)});
                }
            }
            written[step.out] = true;
        }
        program_.feedbackLoads_ = program_.loaded_.size() - program_.externalLoads_;
        for (std::int32_t i = 0; i < static_cast<std::int32_t>(states_.size()); ++i)
            program_.loaded_.push_back({i, states_[i]});
    }
    // Compute-list slots are handed out in the order of computed_, right after the states.
    CBlock* BlockIn(std::int32_t slot) const {
        return program_.computed_[static_cast<std::size_t>(slot) - states_.size()].block;
    }

    // A state's derivative is its source's final value times its gain. When one in-place
    // step writes that source, the step computes the derivative as soon as it has the value
    // (a second pass over the sources costs as much as the steps themselves); the others are
    // gathered after the steps.
    void AssignDerivatives() {
        const std::vector<std::int32_t> writer = SoleWriters();
        fused_.assign(program_.steps_.size(), false);
        for (std::size_t i = 0; i < states_.size(); ++i) {
            const CBlock* source = states_[i]->input[1];
            const std::int32_t slot = source ? SlotOf(source) : -1;
            const double gain = states_[i]->param[1];
            const std::int32_t step = slot >= 0 ? writer[slot] : -1;
            if (step >= 0 && CanFuse(ops_[step]) && !fused_[step]) {
                fused_[step] = true;
                program_.steps_[step].in[2] = static_cast<std::int32_t>(i);
                program_.steps_[step].p[2] = gain;
                continue;
            }
            program_.gathered_.push_back({static_cast<std::int32_t>(i), slot, gain});
        }
    }
    // Per slot, the step that writes it, or -1 when none or several do.
    std::vector<std::int32_t> SoleWriters() const {
        std::vector<std::int32_t> writer(program_.values_.size(), -1);
        std::vector<bool> several(program_.values_.size(), false);
        for (std::size_t j = 0; j < program_.steps_.size(); ++j) {
            const std::int32_t slot = program_.steps_[j].out;
            several[slot] = several[slot] || writer[slot] >= 0;
            writer[slot] = static_cast<std::int32_t>(j);
        }
        for (std::size_t slot = 0; slot < writer.size(); ++slot)
            if (several[slot]) writer[slot] = -1;
        return writer;
    }
    // In-place operations that leave in[2] and p[2] free.
    static bool CanFuse(Op op) {
        return op == Op::kConstant || FormulaInputs(op) == 1 || FormulaInputs(op) == 2;
    }

    // Runs of one operation, each split where its steps stop going through consecutive slots:
    // the stretches long enough to gain from arrays become runs of their own.
    void FormRuns() {
        for (std::size_t begin = 0; begin < ops_.size();) {
            std::size_t end = begin + 1;
            while (end < ops_.size() && ops_[end] == ops_[begin] && fused_[end] == fused_[begin])
                ++end;
            SplitAtArrays(begin, end);
            begin = end;
        }
    }
    void SplitAtArrays(std::size_t begin, std::size_t end) {
        std::size_t gathered = begin;  // the first step not yet in a run
        for (std::size_t first = begin; first < end;) {
            std::size_t last = first + 1;
            while (last < end && Follows(last - 1, last)) ++last;
            if (last - first >= kShortestArrayRun && Apart(first, last)) {
                AddRun(gathered, first, false);
                AddRun(first, last, true);
                gathered = last;
            }
            first = last;
        }
        AddRun(gathered, end, false);
    }
    void AddRun(std::size_t begin, std::size_t end, bool arrays) {
        if (begin == end) return;
        Run run{ops_[begin], fused_[begin], arrays, static_cast<std::uint32_t>(begin),
                static_cast<std::uint32_t>(end), 0};
        if (arrays) {
            std::vector<double>& params = program_.arrayParams_;
            run.params = static_cast<std::uint32_t>(params.size());
            for (int k = 0; k < 3; ++k)
                for (std::size_t j = begin; j < end; ++j) params.push_back(program_.steps_[j].p[k]);
        }
        program_.runs_.push_back(run);
    }
    // True when step next reads each input and writes its result and derivative one slot
    // further than step previous (of the same operation).
    bool Follows(std::size_t previous, std::size_t next) const {
        const int inputs = FormulaInputs(ops_[next]);
        if (inputs == 0) return false;
        const Step& a = program_.steps_[previous];
        const Step& b = program_.steps_[next];
        if (b.out != a.out + 1) return false;
        for (int k = 0; k < inputs; ++k)
            if (b.in[k] != a.in[k] + 1) return false;
        return !fused_[next] || b.in[2] == a.in[2] + 1;
    }
    // True when no step of [first, last) reads a slot that one of them writes: then the
    // order in which the results are written cannot matter. A chain, each step reading the
    // one before, keeps its order.
    bool Apart(std::size_t first, std::size_t last) const {
        const auto count = static_cast<std::int64_t>(last - first);
        const Step& step = program_.steps_[first];
        for (int k = 0; k < FormulaInputs(ops_[first]); ++k)
            if (step.in[k] < step.out + count && step.out < step.in[k] + count) return false;
        return true;
    }
    // The inputs an in-place formula reads; 0 for a constant and for the operations that are
    // not formulas (these never run over arrays).
    static int FormulaInputs(Op op) {
        switch (op) {
            case Op::kSum1: case Op::kMultiply1: case Op::kGain: case Op::kNegate: return 1;
            case Op::kSum2: case Op::kMultiply2: return 2;
            case Op::kSum3: case Op::kMultiply3: return 3;
            default: return 0;
        }
    }
    // Below this, a run over arrays costs more in set-up than it saves.
    static constexpr std::size_t kShortestArrayRun = 4;

    EvaluationProgram& program_;
    CBlock* clock_;
    const std::vector<CBlock*>& computeList_;
    const std::vector<CBlock*>& states_;
    std::vector<Entry> index_;
    std::vector<Op> ops_;       // per step
    std::vector<bool> fused_;   // per step: it also writes a derivative
    std::int32_t firstExternal_ = 0;
};

EvaluationProgram::EvaluationProgram(CBlock* clock, const std::vector<CBlock*>& computeList,
                                     const std::vector<CBlock*>& states) {
    Builder(*this, clock, computeList, states).Build();
}

}  // namespace ondrel
