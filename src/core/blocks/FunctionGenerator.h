#pragma once
// The Function Generator: input 1 (the abscissa) through a table of ordinates, taken to be
// evenly spaced from the lower bound (p3, or in3) to the upper bound (p2, or in2) and
// interpolated by a natural cubic spline. Outside the bounds the block holds the end value
// (p1 = 0) or extrapolates along the spline's end slope (any other p1). A table of fewer
// than three ordinates, or bounds that leave no room, make the output 0.
//
// The spline (abscissae, second derivatives, end slopes) is prepared at the first Compute
// that finds it missing. It is discarded at the start of every run and whenever the table
// changes, so a run always works from the current table and bounds; a connected bound input
// is read at that preparation and written into its parameter.
#include <cstddef>
#include <vector>

#include "core/blocks/CBlock.h"

namespace ondrel {

class CFunctionGeneratorBlock final : public CBlock {
public:
    using CBlock::CBlock;

    // The base record, then the ordinates (int32 count, doubles). The prepared data is not
    // stored.
    void Serialize(CArchive& ar) override;
    // Discards the prepared data and reserves room to prepare it again without allocating
    // during the run.
    int Setup() override;
    void Compute() override;

    const std::vector<double>& Ordinates() const { return ordinates; }
    // Replaces the table (the data dialog's OK) and discards the prepared data.
    void SetOrdinates(std::vector<double> values);
    // Number of prepared points: 0, or the table's length.
    std::size_t PreparedPoints() const { return abscissae.size(); }

private:
    void Prepare();
    void DiscardPrepared();

    std::vector<double> ordinates;
    std::vector<double> abscissae;
    std::vector<double> secondDerivatives;
    std::vector<double> workspace;  // the spline's elimination scratch
    double leftSlope = 0.0;
    double rightSlope = 0.0;
};

}  // namespace ondrel
