// Double items: a 64-bit double in files, "%e" text in the profile, a number typed in dialogs.
#include <cmath>
#include <string>

#include "core/platform/NumberFormat.h"
#include "core/platform/Platform.h"
#include "core/settings/DialogExchange.h"
#include "core/settings/SettingItems.h"
#include "core/settings/SettingMessages.h"

namespace ondrel {

std::string FormatRoundTrip(double value) {
    // Six digits is how numbers are usually shown; more only when six would change the value
    // the user gets back by pressing OK without touching the control.
    std::string text = FormatSignificant(value, 6);
    for (int digits = 7; digits <= 17 && ParseDecimal(text) != value; ++digits)
        text = FormatSignificant(value, digits);
    return text;
}

CDoubleSetting::CDoubleSetting(CSettingsGroup* group, double since, double until, double* bound,
                               double defaultValue, const std::string& name, int controlId,
                               double min, double max)
    : CTypedSetting(SettingType::Double, group, since, until, bound, defaultValue, name,
                    controlId),
      min_(min), max_(max) {}

void CDoubleSetting::ReadProfile() {
    SetValue(ParseDecimal(Profile().GetString(Section(), Name(), FormatE(DefaultValue()))));
}

void CDoubleSetting::WriteProfile() {
    Profile().WriteString(Section(), Name(), FormatE(CurrentValue()));
}

bool CDoubleSetting::Exchange(IDialogExchange& dx) {
    std::string text = FormatRoundTrip(CurrentValue());
    dx.ExchangeText(ControlId(), text);
    if (!dx.IsSaving()) return true;
    double typed = 0.0;
    // An overflowing entry such as 1e999 is no usable number either.
    if (!ParseDecimalStrict(text, typed) || !std::isfinite(typed)) {
        dx.Fail(ControlId(), setting_messages::kEnterNumber);
        return false;
    }
    if (min_ < max_ && (typed < min_ || typed > max_)) {
        dx.Fail(ControlId(), setting_messages::Fill(setting_messages::kNumberBetween,
                                                    FormatRoundTrip(min_), FormatRoundTrip(max_)));
        return false;
    }
    SetValue(typed);
    return true;
}

std::unique_ptr<CSettingItem> CDoubleSetting::CloneUnbound(CSettingsGroup* group) const {
    auto copy = std::make_unique<CDoubleSetting>(group, Since(), Until(), nullptr,
                                                 DefaultValue(), Name(), ControlId(), min_, max_);
    copy->SetValue(CurrentValue());
    return copy;
}

void CDoubleSetting::WriteValue(CArchive& ar) const { ar.WriteDouble(CurrentValue()); }

bool CDoubleSetting::ReadValue(CArchive& ar, double& value) const {
    value = ar.ReadDouble();
    return true;
}

}  // namespace ondrel
