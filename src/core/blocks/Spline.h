#pragma once
// The natural cubic spline shared by the Function Generator (its table) and the Delay block
// (a few recorded input samples around the delayed time). A natural spline has second
// derivative 0 at its first and last point.
//
// The routines take spans so that the Delay block can run them on small arrays of its own
// during every evaluation without allocating.
#include <cstddef>
#include <span>
#include <vector>

namespace ondrel {

// True when every abscissa is above the one before it (NaN never is).
bool StrictlyIncreasing(std::span<const double> abscissae);

// The second derivative of the natural cubic spline at each of the n >= 2 points
// (values[i] at abscissae[i], abscissae strictly increasing) into secondDerivatives, using
// workspace for the elimination. All four spans hold n entries. With fewer than two points
// every second derivative is 0.
void SplineSecondDerivatives(std::span<const double> values, std::span<const double> abscissae,
                             std::span<double> secondDerivatives, std::span<double> workspace);
// The same, into a new array (for callers outside the evaluation loop).
std::vector<double> SplineSecondDerivatives(std::span<const double> values,
                                            std::span<const double> abscissae);

// The spline at x. The interval is found by bisection over the abscissae; an x outside them
// extrapolates the cubic of the end interval. One point gives its value, none gives 0.
double SplineEvaluate(std::span<const double> values, std::span<const double> abscissae,
                      std::span<const double> secondDerivatives, double x);

}  // namespace ondrel
