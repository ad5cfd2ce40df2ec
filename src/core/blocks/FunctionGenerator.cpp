#include "core/blocks/FunctionGenerator.h"

#include <cmath>
#include <memory>
#include <utility>

#include "core/blocks/BlockFamilies.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/Spline.h"
#include "core/blocks/StatelessBlocks.h"
#include "core/io/CArchive.h"

namespace ondrel {

namespace {
// The spline needs three points to have any curvature; fewer leave the block at 0.
constexpr std::size_t kMinimumPoints = 3;
}  // namespace

void CFunctionGeneratorBlock::Serialize(CArchive& ar) {
    CBlock::Serialize(ar);
    ar.IoDoubles(ordinates);  // the count is checked against the bytes left
    if (ar.IsLoading()) DiscardPrepared();
}

int CFunctionGeneratorBlock::Setup() {
    DiscardPrepared();
    abscissae.reserve(ordinates.size());
    secondDerivatives.reserve(ordinates.size());
    workspace.reserve(ordinates.size());
    return 1;
}

void CFunctionGeneratorBlock::SetOrdinates(std::vector<double> values) {
    ordinates = std::move(values);
    DiscardPrepared();
}

void CFunctionGeneratorBlock::DiscardPrepared() {
    abscissae.clear();
    secondDerivatives.clear();
    workspace.clear();
    leftSlope = 0.0;
    rightSlope = 0.0;
}

void CFunctionGeneratorBlock::Prepare() {
    // The bounds follow their inputs only here, once per preparation.
    if (input[2]) param[2] = input[2]->value;
    if (input[3]) param[3] = input[3]->value;
    const double lower = param[3];
    const double span = param[2] - lower;
    const std::size_t n = ordinates.size();
    if (!(span > 0.0) || !std::isfinite(span) || n < kMinimumPoints) return;

    abscissae.resize(n);
    secondDerivatives.resize(n);
    workspace.resize(n);
    const double spacing = span / static_cast<double>(n - 1);
    for (std::size_t i = 0; i < n; ++i) abscissae[i] = lower + spacing * static_cast<double>(i);
    // A span too narrow for the table's length (or a bound at infinity) gives abscissae that
    // do not rise; the spline is undefined there, so the block behaves as with no room.
    if (!StrictlyIncreasing(abscissae)) {
        DiscardPrepared();
        return;
    }
    SplineSecondDerivatives(ordinates, abscissae, secondDerivatives, workspace);

    const std::vector<double>& y = ordinates;
    const std::vector<double>& y2 = secondDerivatives;
    const double dx = abscissae[n - 1] - abscissae[n - 2];
    rightSlope = (y[n - 1] - y[n - 2]) / dx + dx * y2[n - 2] / 6.0;
    leftSlope = (y[1] - y[0]) / dx - dx * y2[1] / 6.0;
}

void CFunctionGeneratorBlock::Compute() {
    value = 0.0;
    if (abscissae.size() < kMinimumPoints) Prepare();
    if (abscissae.size() < kMinimumPoints) return;
    const double x = InputOrZero(*this, 1);
    const double lower = param[3];
    const double upper = param[2];
    const bool extrapolate = param[1] != 0.0;
    if (lower <= x && x < upper) {
        value = SplineEvaluate(ordinates, abscissae, secondDerivatives, x);
    } else if (x >= upper) {
        value = ordinates.back();
        if (extrapolate) value = ordinates.back() + (x - upper) * rightSlope;
    } else if (x < lower) {
        value = ordinates.front();
        if (extrapolate) value = ordinates.front() + (x - lower) * leftSlope;
    }
}

std::unique_ptr<CBlock> MakeFunctionGeneratorBlock(int typeId, int bitmapId,
                                                   IBlockChart* chart, int commandId) {
    if (typeId != kTypeFunctionGenerator) return nullptr;
    return std::make_unique<CFunctionGeneratorBlock>(bitmapId, chart, commandId, typeId);
}

}  // namespace ondrel
