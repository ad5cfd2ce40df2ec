#include "core/model/edits/ZoomSteps.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ViewingRules.h"

namespace ondrel {
namespace {

constexpr std::array<double, 12> kSteps{1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0};
// A magnification typed in the dialog may lie between steps, or a hair off one.
constexpr double kSameStep = 1e-9;

}  // namespace

double NextZoomStep(double current, int direction) {
    const double at = std::clamp(current, kMinZoom, kMaxZoom);
    if (direction > 0) {
        for (double step : kSteps)
            if (step > at + kSameStep) return step;
        return kMaxZoom;
    }
    if (direction < 0) {
        for (auto it = kSteps.rbegin(); it != kSteps.rend(); ++it)
            if (*it < at - kSameStep) return *it;
        return kMinZoom;
    }
    return at;
}

bool ApplyZoom(CTarvekDoc& doc, ChartViewState& view, double magnification) {
    const double wanted = std::clamp(magnification, kMinZoom, kMaxZoom);
    const double before = view.MagBmp;
    if (std::abs(wanted - before) < kSameStep) return false;
    view.MagBmp = wanted;
    RescaleWithMagnification(view.settings, before);
    RaiseHorizontalTotal(view.settings, doc.vertLines);
    RaiseVerticalTotal(view.settings, doc.horizLines);
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews(nullptr, UpdateHint::Refresh, nullptr);
    return true;
}

}  // namespace ondrel
