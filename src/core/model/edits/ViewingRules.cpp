#include "core/model/edits/ViewingRules.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/platform/FontDescription.h"
#include "core/settings/CSettingsGroup.h"
#include "core/settings/DialogExchange.h"
#include "core/settings/SettingItems.h"

namespace ondrel {

namespace {

using namespace chart_controls;

// The typed value of the item with this control id, when the group has one of that type.
template <typename T>
T* ValueOf(CSettingsGroup& group, int controlId, SettingType type) {
    for (std::size_t i = 0; i < group.Size(); ++i) {
        CSettingItem& item = group.Item(i);
        if (item.ControlId() == controlId)
            return item.Type() == type ? static_cast<T*>(item.Value()) : nullptr;
    }
    return nullptr;
}

int* IntValue(CSettingsGroup& group, int controlId) {
    return ValueOf<int>(group, controlId, SettingType::Int);
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
    const double* mag = ValueOf<double>(group, kMagBmp, SettingType::Double);
    return mag != nullptr ? *mag : kNoMagnification;
}

int ScaleFontHeight(int height, double ratio) {
    const double points = std::floor(-0.75 * height + 0.5);
    return -ClampToInt(std::trunc(points * ratio * 4.0 / 3.0 + 0.5));
}

int ScaleSize(int value, double ratio) { return ClampToInt(std::trunc(value * ratio + 0.5)); }

bool RescaleWithMagnification(CSettingsGroup& group, double remembered) {
    const std::uint8_t* lock = ValueOf<std::uint8_t>(group, kSizeLock, SettingType::Check);
    const double current = Magnification(group);
    if (lock == nullptr || *lock == 0) return false;
    // Magnifications are validated to be at least 1; anything else was never a real value.
    if (!(remembered > 0.0) || !(current > 0.0) || !std::isfinite(remembered)) return false;
    const double ratio = current / remembered;
    for (int fontId : {kNotesFont, kChartFont})
        if (auto* font = ValueOf<FontDescription>(group, fontId, SettingType::Font))
            font->height = ScaleFontHeight(font->height, ratio);
    for (int sizeId : {kLineWidth, kDeltaVert, kDeltaHoriz, kLinesX, kLinesY, kHoldSiz})
        if (int* size = IntValue(group, sizeId)) *size = ScaleSize(*size, ratio);
    return true;
}

bool ExchangeLimitedText(IDialogExchange& dx, int controlId, std::string& text, int maxChars) {
    // A free-standing text item words and counts the limit exactly as the settings do.
    CTextSetting item(nullptr, 0.0, 0.0, nullptr, text, std::string(), controlId, maxChars);
    if (!item.Exchange(dx)) return false;
    if (dx.IsSaving()) text = item.CurrentValue();
    return true;
}

}  // namespace ondrel
