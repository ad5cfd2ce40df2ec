#pragma once
// Whole-number division rounded the way grids need it: how many steps cover a length (pages,
// rows, columns), and which cell a coordinate falls in on either side of the origin.
#include <cstdint>

namespace ondrel {

// How many whole steps of denominator (> 0) cover numerator; 0 for nothing to cover.
inline std::int64_t CeilDiv(std::int64_t numerator, std::int64_t denominator) {
    if (numerator <= 0) return 0;
    return (numerator + denominator - 1) / denominator;
}

// Floor and ceiling of a / b for b > 0, for any sign of a.
inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}
inline std::int64_t CeilDivSigned(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

}  // namespace ondrel
