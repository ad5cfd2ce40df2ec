// Text items: a string in files and in the profile, an edit control in dialogs.
#include <string>

#include "core/platform/Platform.h"
#include "core/settings/DialogExchange.h"
#include "core/settings/SettingItems.h"
#include "core/settings/SettingMessages.h"

namespace ondrel {

namespace {

// Text is UTF-8; a limit counts characters, not the bytes that encode them.
std::size_t CountCharacters(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++count;
    return count;
}

}  // namespace

CTextSetting::CTextSetting(CSettingsGroup* group, const TextSettingDesc& desc)
    : CTypedSetting(SettingType::Text, group, desc.since, desc.until, desc.bound,
                    desc.defaultValue, desc.name, desc.controlId),
      maxChars_(desc.maxChars) {}

void CTextSetting::ReadProfile() {
    SetValue(Profile().GetString(Section(), Name(), DefaultValue()));
}

void CTextSetting::WriteProfile() { Profile().WriteString(Section(), Name(), CurrentValue()); }

bool CTextSetting::Exchange(IDialogExchange& dx) {
    std::string text = CurrentValue();
    if (!dx.IsSaving() && maxChars_ > 0) dx.LimitText(ControlId(), maxChars_);
    dx.ExchangeText(ControlId(), text);
    if (!dx.IsSaving()) return true;
    if (maxChars_ > 0 && CountCharacters(text) > static_cast<std::size_t>(maxChars_)) {
        dx.Fail(ControlId(), setting_messages::Fill(setting_messages::kMaxCharacters,
                                                    std::to_string(maxChars_)));
        return false;
    }
    SetValue(text);
    return true;
}

std::unique_ptr<CSettingItem> CTextSetting::CloneUnbound(CSettingsGroup* group) const {
    auto copy = std::make_unique<CTextSetting>(
        group, TextSettingDesc{.since = Since(), .until = Until(), .name = Name(),
                               .controlId = ControlId(), .bound = nullptr,
                               .defaultValue = DefaultValue(), .maxChars = maxChars_});
    copy->SetValue(CurrentValue());
    return copy;
}

void CTextSetting::WriteValue(CArchive& ar) const { ar.WriteString(CurrentValue()); }

bool CTextSetting::ReadValue(CArchive& ar, std::string& value) const {
    value = ar.ReadString();
    return true;
}

}  // namespace ondrel
