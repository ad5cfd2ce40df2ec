// Check, choice and int items: one 32-bit integer in files, one integer key in the profile.
#include <string>

#include "core/platform/NumberFormat.h"
#include "core/platform/Platform.h"
#include "core/settings/DialogExchange.h"
#include "core/settings/SettingItems.h"
#include "core/settings/SettingMessages.h"

namespace ondrel {

CCheckSetting::CCheckSetting(CSettingsGroup* group, double since, double until, int* bound,
                             int defaultValue, const std::string& name, int controlId)
    : CTypedSetting(SettingType::Check, group, since, until, bound,
                    static_cast<std::uint8_t>(defaultValue != 0), name, controlId) {}

void CCheckSetting::ReadProfile() {
    SetValue(Profile().GetInt(Section(), Name(), DefaultValue()) != 0);
}

void CCheckSetting::WriteProfile() { Profile().WriteInt(Section(), Name(), CurrentValue()); }

bool CCheckSetting::Exchange(IDialogExchange& dx) {
    int flag = CurrentValue();
    dx.ExchangeCheck(ControlId(), flag);
    if (dx.IsSaving()) SetValue(flag != 0);
    return true;
}

std::unique_ptr<CSettingItem> CCheckSetting::CloneUnbound(CSettingsGroup* group) const {
    auto copy = std::make_unique<CCheckSetting>(group, Since(), Until(), nullptr, DefaultValue(),
                                                Name(), ControlId());
    copy->SetValue(CurrentValue());
    return copy;
}

void CCheckSetting::WriteValue(CArchive& ar) const { ar.WriteInt32(CurrentValue()); }

bool CCheckSetting::ReadValue(CArchive& ar, std::uint8_t& value) const {
    // Only the low byte carries the flag; anything set there counts as checked.
    value = (ar.ReadInt32() & 0xFF) != 0;
    return true;
}

CChoiceSetting::CChoiceSetting(CSettingsGroup* group, double since, double until, int* bound,
                               int defaultValue, const std::string& name, int controlId)
    : CTypedSetting(SettingType::Choice, group, since, until, bound, defaultValue, name,
                    controlId) {}

void CChoiceSetting::ReadProfile() { SetValue(Profile().GetInt(Section(), Name(), DefaultValue())); }

void CChoiceSetting::WriteProfile() { Profile().WriteInt(Section(), Name(), CurrentValue()); }

bool CChoiceSetting::Exchange(IDialogExchange& dx) {
    int index = CurrentValue();
    dx.ExchangeRadio(ControlId(), index);
    if (dx.IsSaving()) SetValue(index);
    return true;
}

std::unique_ptr<CSettingItem> CChoiceSetting::CloneUnbound(CSettingsGroup* group) const {
    auto copy = std::make_unique<CChoiceSetting>(group, Since(), Until(), nullptr,
                                                 DefaultValue(), Name(), ControlId());
    copy->SetValue(CurrentValue());
    return copy;
}

void CChoiceSetting::WriteValue(CArchive& ar) const { ar.WriteInt32(CurrentValue()); }

bool CChoiceSetting::ReadValue(CArchive& ar, int& value) const {
    value = ar.ReadInt32();
    return true;
}

CIntSetting::CIntSetting(CSettingsGroup* group, double since, double until, int* bound,
                         int defaultValue, const std::string& name, int controlId, int min,
                         int max)
    : CTypedSetting(SettingType::Int, group, since, until, bound, defaultValue, name, controlId),
      min_(min), max_(max) {}

void CIntSetting::ReadProfile() { SetValue(Profile().GetInt(Section(), Name(), DefaultValue())); }

void CIntSetting::WriteProfile() { Profile().WriteInt(Section(), Name(), CurrentValue()); }

bool CIntSetting::Exchange(IDialogExchange& dx) {
    std::string text = std::to_string(CurrentValue());
    dx.ExchangeText(ControlId(), text);
    if (!dx.IsSaving()) return true;
    int typed = 0;
    if (!ParseIntegerStrict(text, typed)) {
        dx.Fail(ControlId(), setting_messages::kEnterInteger);
        return false;
    }
    // Equal bounds (typically 0 and 0) mean the item has no range.
    if (min_ < max_ && (typed < min_ || typed > max_)) {
        dx.Fail(ControlId(), setting_messages::Fill(setting_messages::kIntegerBetween,
                                                    std::to_string(min_), std::to_string(max_)));
        return false;
    }
    SetValue(typed);
    return true;
}

std::unique_ptr<CSettingItem> CIntSetting::CloneUnbound(CSettingsGroup* group) const {
    auto copy = std::make_unique<CIntSetting>(group, Since(), Until(), nullptr, DefaultValue(),
                                              Name(), ControlId(), min_, max_);
    copy->SetValue(CurrentValue());
    return copy;
}

void CIntSetting::WriteValue(CArchive& ar) const { ar.WriteInt32(CurrentValue()); }

bool CIntSetting::ReadValue(CArchive& ar, int& value) const {
    value = ar.ReadInt32();
    return true;
}

}  // namespace ondrel
