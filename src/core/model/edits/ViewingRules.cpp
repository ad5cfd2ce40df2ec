#include "core/model/edits/ViewingRules.h"

#include <cmath>
#include <limits>

#include "core/platform/FontDescription.h"
#include "core/settings/CSettingsGroup.h"
#include "core/settings/DialogExchange.h"
#include "core/settings/SettingItems.h"

namespace ondrel {

namespace {

using namespace chart_controls;

// The value of the int item with this control id; a choice keeps an int too but is no size.
int* IntValue(CSettingsGroup& group, int controlId) {
    CIntSetting* item = group.Find<CIntSetting>(controlId);
    return item != nullptr ? &item->CurrentValue() : nullptr;
}

// Keeps a computed size inside int; typed totals have no upper bound, so a large one times a
// large ratio must not overflow.
int ClampToInt(double value) {
    constexpr double kMax = std::numeric_limits<int>::max();
    constexpr double kMin = std::numeric_limits<int>::min();
    if (!(value == value)) return 0;
    if (value >= kMax) return std::numeric_limits<int>::max();
    if (value <= kMin) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// minimum = delta + (delta + width) x lanes, in wide arithmetic so typed extremes cannot wrap.
bool RaiseTotal(CSettingsGroup& group, int deltaId, int totalId, int lanes) {
    int* delta = IntValue(group, deltaId);
    int* width = IntValue(group, kLineWidth);
    int* total = IntValue(group, totalId);
    if (delta == nullptr || width == nullptr || total == nullptr) return false;
    const double minimum =
        static_cast<double>(*delta) + (static_cast<double>(*delta) + *width) * lanes;
    if (*total >= minimum) return false;
    *total = ClampToInt(minimum);
    return true;
}

}  // namespace

bool RaiseHorizontalTotal(CSettingsGroup& group, int vertLines) {
    return RaiseTotal(group, kDeltaHoriz, kLinesX, vertLines);
}

bool RaiseVerticalTotal(CSettingsGroup& group, int horizLines) {
    return RaiseTotal(group, kDeltaVert, kLinesY, horizLines);
}

double Magnification(CSettingsGroup& group) {
    const double* mag = group.FindValue<double>(kMagBmp);
    return mag != nullptr ? *mag : kNoMagnification;
}

int ScaleFontHeight(int height, double ratio) {
    const double points = std::floor(-0.75 * height + 0.5);
    return -ClampToInt(std::trunc(points * ratio * 4.0 / 3.0 + 0.5));
}

int ScaleSize(int value, double ratio) { return ClampToInt(std::trunc(value * ratio + 0.5)); }

bool RescaleWithMagnification(CSettingsGroup& group, double remembered) {
    const bool* lock = group.FindValue<bool>(kSizeLock);
    const double current = Magnification(group);
    if (lock == nullptr || !*lock) return false;
    // Magnifications are validated to be at least 1; anything else was never a real value.
    if (!(remembered > 0.0) || !(current > 0.0) || !std::isfinite(remembered)) return false;
    const double ratio = current / remembered;
    for (int fontId : {kNotesFont, kChartFont})
        if (auto* font = group.FindValue<FontDescription>(fontId))
            font->height = ScaleFontHeight(font->height, ratio);
    for (int sizeId : {kLineWidth, kDeltaVert, kDeltaHoriz, kLinesX, kLinesY, kHoldSiz})
        if (int* size = IntValue(group, sizeId)) *size = ScaleSize(*size, ratio);
    return true;
}

bool ExchangeLimitedText(IDialogExchange& dx, int controlId, std::string& text, int maxChars) {
    // A free-standing text item words and counts the limit exactly as the settings do.
    CTextSetting item(nullptr,
                      {.controlId = controlId, .defaultValue = text, .maxChars = maxChars});
    if (!item.Exchange(dx)) return false;
    if (dx.IsSaving()) text = item.CurrentValue();
    return true;
}

}  // namespace ondrel
