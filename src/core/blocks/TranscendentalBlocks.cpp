// The Transcendental toolbar's blocks: Sine, Cosine, ArcTangent, Log e, Log 10, Exponent and
// Decibel. Domain problems follow IEEE arithmetic; the logarithms never see zero or a
// negative argument.
#include <cmath>

#include "core/blocks/StatelessBlocks.h"

namespace ondrel {
namespace {

// The logarithm of the magnitude carrying the argument's sign, 0.0 at 0, so that the
// output stays finite and odd through the origin.
template <double (*Log)(double)>
double SignedLog(double x) {
    if (x == 0.0) return 0.0;
    const double magnitude = Log(std::fabs(x));
    return x < 0.0 ? -magnitude : magnitude;
}

double NaturalLog(double x) { return std::log(x); }
double CommonLog(double x) { return std::log10(x); }

}  // namespace

double SineFormula(const CBlock& b) { return std::sin(ScaledOrZero(b, 1)); }

double CosineFormula(const CBlock& b) { return std::cos(ScaledOrZero(b, 1)); }

double ArcTangentFormula(const CBlock& b) {
    // Input 1 is the first argument; input 2, scaled by its own gain, the second. Without
    // input 2 the block is the plain arc tangent of g1.
    const double x = b.input[2] ? b.param[2] * b.input[2]->value : 1.0;
    return std::atan2(ScaledOrZero(b, 1), x);
}

double LogEFormula(const CBlock& b) { return SignedLog<NaturalLog>(ScaledOrZero(b, 1)); }

double Log10Formula(const CBlock& b) { return SignedLog<CommonLog>(ScaledOrZero(b, 1)); }

double ExponentFormula(const CBlock& b) { return std::exp(ScaledOrZero(b, 1)); }

double DecibelFormula(const CBlock& b) {
    // 20 log10|x| is 10 log10(x squared) without squaring: a tiny x would underflow to 0
    // when squared and give -infinity.
    const double x = ScaledOrZero(b, 1);
    return x == 0.0 ? 0.0 : 20.0 * std::log10(std::fabs(x));
}

// The block classes of this family, compiled with their formulas.
template class CFormulaBlock<SineFormula>;
template class CFormulaBlock<CosineFormula>;
template class CFormulaBlock<ArcTangentFormula>;
template class CFormulaBlock<LogEFormula>;
template class CFormulaBlock<Log10Formula>;
template class CFormulaBlock<ExponentFormula>;
template class CFormulaBlock<DecibelFormula>;

}  // namespace ondrel
