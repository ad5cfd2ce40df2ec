// The Logic toolbar's stateless blocks: AND, Exclusive OR, Inclusive OR, Quit and Relay.
#include "core/blocks/StatelessBlocks.h"
#include "core/blocks/RunContext.h"

namespace ondrel {
namespace {

struct LogicInputs {
    int connected = 0;
    int trueCount = 0;
};

// An input counts as true when it has a source and its scaled value is positive;
// unconnected inputs take no part in the result.
LogicInputs CountLogicInputs(const CBlock& b) {
    LogicInputs counts;
    for (int k = 1; k <= 3; ++k) {
        if (!b.input[k]) continue;
        ++counts.connected;
        if (b.param[k] * b.input[k]->value > 0.0) ++counts.trueCount;
    }
    return counts;
}

}  // namespace

double AndFormula(const CBlock& b) {
    const LogicInputs in = CountLogicInputs(b);
    return in.connected > 0 && in.trueCount == in.connected ? 1.0 : 0.0;
}

double ExclusiveOrFormula(const CBlock& b) {
    return CountLogicInputs(b).trueCount == 1 ? 1.0 : 0.0;
}

double InclusiveOrFormula(const CBlock& b) {
    return CountLogicInputs(b).trueCount > 0 ? 1.0 : 0.0;
}

double RelayFormula(const CBlock& b) {
    // Unscaled: the relay passes one of its inputs through as it is.
    return InputOrZero(b, 3) > b.param[1] ? InputOrZero(b, 1) : InputOrZero(b, 2);
}

CQuitBlock::CQuitBlock(int bitmapId, IBlockChart* chart, int commandId, int typeId)
    : CBlock(bitmapId, chart, commandId, typeId) {
    showsValue = false;
}

void CQuitBlock::Compute() {
    // The run goes on while g1 stays at or above the limit.
    if (ScaledOrZero(*this, 1) < InputOrParam(2) && run != nullptr) run->RequestQuit(*this);
}

// The block classes of this family, compiled with their formulas.
template class CFormulaBlock<AndFormula>;
template class CFormulaBlock<ExclusiveOrFormula>;
template class CFormulaBlock<InclusiveOrFormula>;
template class CFormulaBlock<RelayFormula>;

}  // namespace ondrel
