// Check and choice items: one 32-bit integer in files, one integer key in the profile.
#include <string>

#include "core/platform/Platform.h"
#include "core/settings/DialogExchange.h"
#include "core/settings/SettingItems.h"

namespace ondrel {

CCheckSetting::CCheckSetting(CSettingsGroup* group, const SettingDesc<bool>& desc)
    : CTypedSetting(SettingType::Check, group, desc) {}

void CCheckSetting::ReadProfile() {
    SetValue(Profile().GetInt(Section(), Name(), DefaultValue() ? 1 : 0) != 0);
}

void CCheckSetting::WriteProfile() {
    Profile().WriteInt(Section(), Name(), CurrentValue() ? 1 : 0);
}

bool CCheckSetting::Exchange(IDialogExchange& dx) {
    int flag = CurrentValue() ? 1 : 0;
    dx.ExchangeCheck(ControlId(), flag);
    if (dx.IsSaving()) SetValue(flag != 0);
    return true;
}

std::unique_ptr<CSettingItem> CCheckSetting::CloneUnbound(CSettingsGroup* group) const {
    auto copy = std::make_unique<CCheckSetting>(group, UnboundDesc());
    copy->SetValue(CurrentValue());
    return copy;
}

void CCheckSetting::WriteValue(CArchive& ar) const { ar.WriteInt32(CurrentValue() ? 1 : 0); }

bool CCheckSetting::ReadValue(CArchive& ar, bool& value) const {
    // Only the low byte carries the flag; anything set there counts as checked.
    value = (ar.ReadInt32() & 0xFF) != 0;
    return true;
}

CChoiceSetting::CChoiceSetting(CSettingsGroup* group, const SettingDesc<int>& desc)
    : CTypedSetting(SettingType::Choice, group, desc) {}

void CChoiceSetting::ReadProfile() { SetValue(Profile().GetInt(Section(), Name(), DefaultValue())); }

void CChoiceSetting::WriteProfile() { Profile().WriteInt(Section(), Name(), CurrentValue()); }

bool CChoiceSetting::Exchange(IDialogExchange& dx) {
    int index = CurrentValue();
    dx.ExchangeRadio(ControlId(), index);
    if (dx.IsSaving()) SetValue(index);
    return true;
}

std::unique_ptr<CSettingItem> CChoiceSetting::CloneUnbound(CSettingsGroup* group) const {
    auto copy = std::make_unique<CChoiceSetting>(group, UnboundDesc());
    copy->SetValue(CurrentValue());
    return copy;
}

void CChoiceSetting::WriteValue(CArchive& ar) const { ar.WriteInt32(CurrentValue()); }

bool CChoiceSetting::ReadValue(CArchive& ar, int& value) const {
    value = ar.ReadInt32();
    return true;
}

}  // namespace ondrel
