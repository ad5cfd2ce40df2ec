// The Math toolbar's blocks: Multiply, Divide, Power, Square Root, Sum, Negate, Gain.
#include <cmath>
#include <string>

#include "core/blocks/StatelessBlocks.h"
#include "core/blocks/RunContext.h"
#include "core/platform/NumberFormat.h"
#include "core/platform/Platform.h"

namespace ondrel {

double MultiplyFormula(const CBlock& b) {
    // Factors are taken in this order so that results match to the last bit.
    double out = 1.0;
    for (int k = 1; k <= 3; ++k)
        if (b.input[k]) out = b.input[k]->value * out * b.param[k];
    return out;
}

double PowerFormula(const CBlock& b) {
    // The magnitude is raised and the sign restored, so odd roots of negative numbers work
    // (-8 to the 1/3 is -2) instead of giving NaN.
    const double base = ScaledOrZero(b, 1);
    const double result = std::pow(std::fabs(base), ScaledOrZero(b, 2));
    return base < 0.0 ? -result : result;
}

double SquareRootFormula(const CBlock& b) {
    const double x = ScaledOrZero(b, 1);
    const double root = std::sqrt(std::fabs(x));
    return x < 0.0 ? -root : root;
}

double SumFormula(const CBlock& b) {
    double out = 0.0;
    for (int k = 1; k <= 3; ++k)
        if (b.input[k]) out = out + b.input[k]->value * b.param[k];
    return out;
}

double NegateFormula(const CBlock& b) { return -ScaledOrZero(b, 1); }

double GainFormula(const CBlock& b) { return ScaledOrZero(b, 1); }

void CDivideBlock::Compute() {
    const double denominator = ScaledOrZero(*this, 2);
    if (denominator != 0.0) {
        value = ScaledOrZero(*this, 1) / denominator;
        return;
    }
    // The error path may allocate: the run ends here anyway.
    const Status status{"Divide by zero in block " + label + " at time " + FormatSignificant(Now(), 6),
                        "RunTime Error", MsgButtons::Ok, MsgIcon::Error, {}};
    if (run != nullptr) {
        run->ReportBlockError(*this, status);
    } else {
        ShowStatus(status);
    }
}

// The block classes of this family, compiled with their formulas.
template class CFormulaBlock<MultiplyFormula>;
template class CFormulaBlock<PowerFormula>;
template class CFormulaBlock<SquareRootFormula>;
template class CFormulaBlock<SumFormula>;
template class CFormulaBlock<NegateFormula>;
template class CFormulaBlock<GainFormula>;

}  // namespace ondrel
