// The Non-linear toolbar's stateless blocks: Absolute, Bang, Dead Space, Integer, Limiter,
// Modulo, Negative Clip, Offset and Positive Clip.
#include <cmath>

#include "core/blocks/StatelessBlocks.h"

namespace ondrel {

double AbsoluteFormula(const CBlock& b) { return std::fabs(InputOrZero(b, 1)) * b.param[1]; }

double BangFormula(const CBlock& b) {
    const double x = ScaledOrZero(b, 1);
    if (x > 0.0) return 1.0;
    return x < 0.0 ? -1.0 : 0.0;
}

double DeadSpaceFormula(const CBlock& b) {
    // Inside [Lower, Upper] the output sits at the dead-zone value; outside, it follows the
    // input shifted so that it is continuous at the bounds. Crossed bounds leave no zone.
    const double x = InputOrZero(b, 1);
    const double zone = b.param[1];
    const double upper = b.InputOrParam(2);
    const double lower = b.InputOrParam(3);
    if (lower >= upper) return x + zone;
    if (x > upper) return zone + (x - upper);
    if (x < lower) return zone + (x - lower);
    return zone;
}

double IntegerFormula(const CBlock& b) { return std::trunc(ScaledOrZero(b, 1)); }

double LimiterFormula(const CBlock& b) {
    // Crossed limits (Minimum not below Maximum) switch the limiting off.
    const double y = ScaledOrZero(b, 1);
    const double maximum = b.InputOrParam(2);
    const double minimum = b.InputOrParam(3);
    if (minimum >= maximum) return y;
    if (y > maximum) return maximum;
    if (y < minimum) return minimum;
    return y;
}

double ModuloFormula(const CBlock& b) {
    const double divisor = b.InputOrParam(2);
    return divisor == 0.0 ? 0.0 : std::fmod(ScaledOrZero(b, 1), divisor);
}

double NegativeClipFormula(const CBlock& b) {
    const double x = ScaledOrZero(b, 1);
    return x > 0.0 ? x : 0.0;
}

double OffsetFormula(const CBlock& b) { return InputOrZero(b, 1) + b.param[1]; }

double PositiveClipFormula(const CBlock& b) {
    const double x = ScaledOrZero(b, 1);
    return x < 0.0 ? x : 0.0;
}

// The block classes of this family, compiled with their formulas.
template class CFormulaBlock<AbsoluteFormula>;
template class CFormulaBlock<BangFormula>;
template class CFormulaBlock<DeadSpaceFormula>;
template class CFormulaBlock<IntegerFormula>;
template class CFormulaBlock<LimiterFormula>;
template class CFormulaBlock<ModuloFormula>;
template class CFormulaBlock<NegativeClipFormula>;
template class CFormulaBlock<OffsetFormula>;
template class CFormulaBlock<PositiveClipFormula>;

}  // namespace ondrel
