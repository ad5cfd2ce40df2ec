#include "core/blocks/Spline.h"

namespace ondrel {

bool StrictlyIncreasing(std::span<const double> abscissae) {
    for (std::size_t i = 1; i < abscissae.size(); ++i) {
        if (!(abscissae[i] > abscissae[i - 1])) return false;
    }
    return true;
}

void SplineSecondDerivatives(std::span<const double> values, std::span<const double> abscissae,
                             std::span<double> secondDerivatives, std::span<double> workspace) {
    const std::size_t n = values.size();
    std::span<double> y2 = secondDerivatives;
    std::span<double> u = workspace;
    if (n < 2) {
        for (double& d : y2) d = 0.0;
        return;
    }
    const auto& x = abscissae;
    const auto& y = values;
    // Forward elimination of the tridiagonal system; the natural end conditions make the
    // first row trivial.
    y2[0] = 0.0;
    u[0] = 0.0;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
        const double p = sig * y2[i - 1] + 2.0;
        y2[i] = (sig - 1.0) / p;
        const double slopeChange =
            (y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
        u[i] = (6.0 * slopeChange / (x[i + 1] - x[i - 1]) - sig * u[i - 1]) / p;
    }
    // Back substitution from the natural last point.
    y2[n - 1] = 0.0;
    for (std::size_t k = n - 1; k-- > 0;) {
        y2[k] = y2[k] * y2[k + 1] + u[k];
    }
}

std::vector<double> SplineSecondDerivatives(std::span<const double> values,
                                            std::span<const double> abscissae) {
    std::vector<double> result(values.size());
    std::vector<double> workspace(values.size());
    SplineSecondDerivatives(values, abscissae, result, workspace);
    return result;
}

double SplineEvaluate(std::span<const double> values, std::span<const double> abscissae,
                      std::span<const double> secondDerivatives, double x) {
    if (values.empty()) return 0.0;
    if (values.size() == 1) return values[0];
    std::size_t lo = 0;
    std::size_t hi = values.size() - 1;
    while (hi - lo > 1) {
        const std::size_t mid = (lo + hi) / 2;
        if (x < abscissae[mid]) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
    const double h = abscissae[hi] - abscissae[lo];
    const double a = (abscissae[hi] - x) / h;
    const double b = (x - abscissae[lo]) / h;
    const double curvature =
        (a * a * a - a) * secondDerivatives[lo] + (b * b * b - b) * secondDerivatives[hi];
    return a * values[lo] + b * values[hi] + curvature * (h * h) / 6.0;
}

}  // namespace ondrel
