// Colour and font items: edited through the platform's choosers rather than a control.
#include <string>

#include "core/platform/Platform.h"
#include "core/settings/CSettingsGroup.h"
#include "core/settings/SettingItems.h"

namespace ondrel {

namespace {

struct FontIntKey {
    const char* suffix;
    std::int32_t FontDescription::*field;
};
struct FontByteKey {
    const char* suffix;
    std::uint8_t FontDescription::*field;
};

constexpr FontIntKey kFontIntKeys[] = {
    {".Height", &FontDescription::height},           {".Width", &FontDescription::width},
    {".Escapement", &FontDescription::escapement},   {".Orientation", &FontDescription::orientation},
    {".Weight", &FontDescription::weight},
};
// In file order, which is also the order of the eight bytes in a chart.
constexpr FontByteKey kFontByteKeys[] = {
    {".Italic", &FontDescription::italic},
    {".Underline", &FontDescription::underline},
    {".StrikeOut", &FontDescription::strikeOut},
    {".CharSet", &FontDescription::charSet},
    {".OutPrecision", &FontDescription::outPrecision},
    {".ClipPrecision", &FontDescription::clipPrecision},
    {".Quality", &FontDescription::quality},
    {".PitchAndFamily", &FontDescription::pitchAndFamily},
};
constexpr const char* kFaceNameKey = ".FaceName";

}  // namespace

std::string FitFaceName(std::string faceName) {
    if (faceName.size() <= FontDescription::kMaxFaceName) return faceName;
    std::size_t cut = FontDescription::kMaxFaceName;
    // Step back over continuation bytes so no character is left half-encoded.
    while (cut > 0 && (static_cast<unsigned char>(faceName[cut]) & 0xC0) == 0x80) --cut;
    faceName.resize(cut);
    return faceName;
}

CColorSetting::CColorSetting(CSettingsGroup* group, const SettingDesc<ColorRef>& desc)
    : CTypedSetting(SettingType::Color, group, desc) {}

void CColorSetting::ReadProfile() {
    IProfile& profile = Profile();
    const ColorRef d = DefaultValue();
    SetValue(MakeColor(profile.GetInt(Section(), Name() + "Red", ColorRed(d)),
                       profile.GetInt(Section(), Name() + "Green", ColorGreen(d)),
                       profile.GetInt(Section(), Name() + "Blue", ColorBlue(d))));
}

void CColorSetting::WriteProfile() {
    IProfile& profile = Profile();
    const ColorRef c = CurrentValue();
    profile.WriteInt(Section(), Name() + "Red", ColorRed(c));
    profile.WriteInt(Section(), Name() + "Green", ColorGreen(c));
    profile.WriteInt(Section(), Name() + "Blue", ColorBlue(c));
}

bool CColorSetting::OnButton(int controlId) {
    ICommonDialogs* dialogs = Platform().dialogs;
    if (controlId != ControlId() || dialogs == nullptr) return false;
    const auto chosen = dialogs->ChooseColor(CurrentValue());
    if (!chosen) return false;
    SetValue(*chosen & 0xFFFFFFu);
    return true;
}

std::unique_ptr<CSettingItem> CColorSetting::CloneUnbound(CSettingsGroup* group) const {
    auto copy = std::make_unique<CColorSetting>(group, UnboundDesc());
    copy->SetValue(CurrentValue());
    return copy;
}

void CColorSetting::WriteValue(CArchive& ar) const { ar.WriteUInt32(CurrentValue()); }

bool CColorSetting::ReadValue(CArchive& ar, ColorRef& value) const {
    // The high byte is not part of a colour; a damaged file may have set it.
    value = ar.ReadUInt32() & 0xFFFFFFu;
    return true;
}

CFontSetting::CFontSetting(CSettingsGroup* group, const SettingDesc<FontDescription>& desc)
    : CTypedSetting(SettingType::Font, group, desc) {}

void CFontSetting::ReadProfile() {
    IProfile& profile = Profile();
    FontDescription font = DefaultValue();
    for (const auto& key : kFontIntKeys)
        font.*key.field = profile.GetInt(Section(), Name() + key.suffix, font.*key.field);
    for (const auto& key : kFontByteKeys)
        font.*key.field = static_cast<std::uint8_t>(
            profile.GetInt(Section(), Name() + key.suffix, font.*key.field));
    font.faceName = FitFaceName(profile.GetString(Section(), Name() + kFaceNameKey, font.faceName));
    SetValue(font);
}

void CFontSetting::WriteProfile() {
    IProfile& profile = Profile();
    const FontDescription& font = CurrentValue();
    for (const auto& key : kFontIntKeys)
        profile.WriteInt(Section(), Name() + key.suffix, font.*key.field);
    for (const auto& key : kFontByteKeys)
        profile.WriteInt(Section(), Name() + key.suffix, font.*key.field);
    profile.WriteString(Section(), Name() + kFaceNameKey, font.faceName);
}

CColorSetting* CFontSetting::PairedColor() const {
    CSettingsGroup* group = Group();
    if (group == nullptr) return nullptr;
    for (std::size_t i = 0; i < group->Size(); ++i) {
        CSettingItem& item = group->Item(i);
        if (item.ControlId() != -ControlId()) continue;
        if (auto* color = item.As<CColorSetting>()) return color;
    }
    return nullptr;
}

bool CFontSetting::OnButton(int controlId) {
    ICommonDialogs* dialogs = Platform().dialogs;
    if (controlId != ControlId() || dialogs == nullptr) return false;
    CColorSetting* paired = PairedColor();
    const ColorRef color = paired != nullptr ? paired->CurrentValue() : MakeColor(0, 0, 0);
    const auto chosen = dialogs->ChooseFont(CurrentValue(), color);
    if (!chosen) return false;
    FontDescription font = chosen->font;
    font.faceName = FitFaceName(std::move(font.faceName));
    SetValue(font);
    if (paired != nullptr) paired->SetValue(chosen->color & 0xFFFFFFu);
    return true;
}

std::unique_ptr<CSettingItem> CFontSetting::CloneUnbound(CSettingsGroup* group) const {
    auto copy = std::make_unique<CFontSetting>(group, UnboundDesc());
    copy->SetValue(CurrentValue());
    return copy;
}

void CFontSetting::WriteValue(CArchive& ar) const {
    FontDescription font = CurrentValue();
    for (const auto& key : kFontIntKeys) ar.WriteInt32(font.*key.field);
    for (const auto& key : kFontByteKeys) ar.WriteByte(font.*key.field);
    ar.WriteString(font.faceName);
}

bool CFontSetting::ReadValue(CArchive& ar, FontDescription& value) const {
    FontDescription font;
    for (const auto& key : kFontIntKeys) font.*key.field = ar.ReadInt32();
    for (const auto& key : kFontByteKeys) font.*key.field = ar.ReadByte();
    font.faceName = FitFaceName(ar.ReadString());
    value = std::move(font);
    return true;
}

}  // namespace ondrel
