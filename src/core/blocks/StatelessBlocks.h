#pragma once
// The blocks whose output is a pure function of their current inputs and parameters:
// arithmetic, transcendental functions, logic, static shaping, the two constant sources and
// Quit. None keeps state between evaluations.
//
// Most of them are a formula from the block's inputs and parameters to its output; those
// share one class template, instantiated once per type so that every type is still a class
// of its own. Divide, Quit, Constant and Pi do more than write a formula's result and are
// written out. Notation in the comments: pk = param[k], ink = input[k]->value, gk = pk * ink.
#include "core/blocks/CBlock.h"

namespace ondrel {

// A formula reads only the block's own fields and its sources' outputs; it never allocates.
using BlockFormula = double (*)(const CBlock&);

template <BlockFormula Formula>
class CFormulaBlock final : public CBlock {
public:
    using CBlock::CBlock;
    void Compute() override { value = Formula(*this); }
};

// Input k scaled by parameter k, or 0.0 while input k has no source. The run refuses to
// start with a required input unconnected, so the fallback only keeps a block that is
// computed outside a run (or misconfigured) from reading through a null source.
inline double ScaledOrZero(const CBlock& b, int k) {
    return b.input[k] ? b.param[k] * b.input[k]->value : 0.0;
}
// Input k's unscaled value, or 0.0 while it has no source.
inline double InputOrZero(const CBlock& b, int k) { return b.input[k] ? b.input[k]->value : 0.0; }

// Math
double MultiplyFormula(const CBlock& b);    // product of pk * ink over connected inputs; 1.0 when none
double PowerFormula(const CBlock& b);       // |g1| ^ g2, negated for a negative base
double SquareRootFormula(const CBlock& b);  // sqrt|g1|, negated for a negative argument
double SumFormula(const CBlock& b);         // sum of pk * ink over connected inputs
double NegateFormula(const CBlock& b);      // -g1
double GainFormula(const CBlock& b);        // g1
// Transcendental (angles in radians)
double SineFormula(const CBlock& b);
double CosineFormula(const CBlock& b);
double ArcTangentFormula(const CBlock& b);  // atan2(g1, g2), or atan(g1) without input 2
double LogEFormula(const CBlock& b);        // ln|g1|, negated for negative g1; 0.0 at 0
double Log10Formula(const CBlock& b);       // log10|g1|, likewise
double ExponentFormula(const CBlock& b);    // e ^ g1
double DecibelFormula(const CBlock& b);     // 20 log10|g1|; 0.0 at 0
// Logic: an input is true when it is connected and gk > 0.
double AndFormula(const CBlock& b);           // some input connected, every connected one true
double ExclusiveOrFormula(const CBlock& b);   // exactly one true
double InclusiveOrFormula(const CBlock& b);   // at least one true
double RelayFormula(const CBlock& b);         // in1 when in3 > p1, else in2
// Shaping
double AbsoluteFormula(const CBlock& b);      // |in1| * p1
double BangFormula(const CBlock& b);          // sign of g1
double DeadSpaceFormula(const CBlock& b);
double IntegerFormula(const CBlock& b);       // g1 truncated toward zero
double LimiterFormula(const CBlock& b);
double ModuloFormula(const CBlock& b);        // fmod(g1, divisor); 0.0 for divisor 0
double NegativeClipFormula(const CBlock& b);  // g1 when positive, else 0
double OffsetFormula(const CBlock& b);        // in1 + p1
double PositiveClipFormula(const CBlock& b);  // g1 when negative, else 0

using CMultiplyBlock = CFormulaBlock<MultiplyFormula>;
using CPowerBlock = CFormulaBlock<PowerFormula>;
using CSquareRootBlock = CFormulaBlock<SquareRootFormula>;
using CSumBlock = CFormulaBlock<SumFormula>;
using CNegateBlock = CFormulaBlock<NegateFormula>;
using CGainBlock = CFormulaBlock<GainFormula>;
using CSineBlock = CFormulaBlock<SineFormula>;
using CCosineBlock = CFormulaBlock<CosineFormula>;
using CArcTangentBlock = CFormulaBlock<ArcTangentFormula>;
using CLogEBlock = CFormulaBlock<LogEFormula>;
using CLog10Block = CFormulaBlock<Log10Formula>;
using CExponentBlock = CFormulaBlock<ExponentFormula>;
using CDecibelBlock = CFormulaBlock<DecibelFormula>;
using CAndBlock = CFormulaBlock<AndFormula>;
using CExclusiveOrBlock = CFormulaBlock<ExclusiveOrFormula>;
using CInclusiveOrBlock = CFormulaBlock<InclusiveOrFormula>;
using CRelayBlock = CFormulaBlock<RelayFormula>;
using CAbsoluteBlock = CFormulaBlock<AbsoluteFormula>;
using CBangBlock = CFormulaBlock<BangFormula>;
using CDeadSpaceBlock = CFormulaBlock<DeadSpaceFormula>;
using CIntegerBlock = CFormulaBlock<IntegerFormula>;
using CLimiterBlock = CFormulaBlock<LimiterFormula>;
using CModuloBlock = CFormulaBlock<ModuloFormula>;
using CNegativeClipBlock = CFormulaBlock<NegativeClipFormula>;
using COffsetBlock = CFormulaBlock<OffsetFormula>;
using CPositiveClipBlock = CFormulaBlock<PositiveClipFormula>;

// Each formula block is instantiated beside its formula (in its family file), so that the
// formula is compiled into Compute itself: one call per block and evaluation, not two.
extern template class CFormulaBlock<MultiplyFormula>;
extern template class CFormulaBlock<PowerFormula>;
extern template class CFormulaBlock<SquareRootFormula>;
extern template class CFormulaBlock<SumFormula>;
extern template class CFormulaBlock<NegateFormula>;
extern template class CFormulaBlock<GainFormula>;
extern template class CFormulaBlock<SineFormula>;
extern template class CFormulaBlock<CosineFormula>;
extern template class CFormulaBlock<ArcTangentFormula>;
extern template class CFormulaBlock<LogEFormula>;
extern template class CFormulaBlock<Log10Formula>;
extern template class CFormulaBlock<ExponentFormula>;
extern template class CFormulaBlock<DecibelFormula>;
extern template class CFormulaBlock<AndFormula>;
extern template class CFormulaBlock<ExclusiveOrFormula>;
extern template class CFormulaBlock<InclusiveOrFormula>;
extern template class CFormulaBlock<RelayFormula>;
extern template class CFormulaBlock<AbsoluteFormula>;
extern template class CFormulaBlock<BangFormula>;
extern template class CFormulaBlock<DeadSpaceFormula>;
extern template class CFormulaBlock<IntegerFormula>;
extern template class CFormulaBlock<LimiterFormula>;
extern template class CFormulaBlock<ModuloFormula>;
extern template class CFormulaBlock<NegativeClipFormula>;
extern template class CFormulaBlock<OffsetFormula>;
extern template class CFormulaBlock<PositiveClipFormula>;

// g1 / g2. A zero scaled denominator is a run-time error: the user is told, the run is
// stopped and the output keeps its previous value.
class CDivideBlock final : public CBlock {
public:
    using CBlock::CBlock;
    void Compute() override;
};

// Ends the run as soon as g1 falls below the limit (in2 when connected, else p2). It has
// no output: its value is never written and no port is drawn for it.
class CQuitBlock final : public CBlock {
public:
    CQuitBlock(int bitmapId, IBlockChart* chart, int commandId, int typeId);
    void Compute() override;
};

// Outputs p1. Its value is set once at run start; Compute has nothing to do.
class CConstantBlock final : public CBlock {
public:
    using CBlock::CBlock;
    int Setup() override;
    void Compute() override {}
};

// Outputs p1 * pi, set once at run start.
class CPiBlock final : public CBlock {
public:
    using CBlock::CBlock;
    int Setup() override;
    void Compute() override {}
};

}  // namespace ondrel
