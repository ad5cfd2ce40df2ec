#pragma once
// The seven setting item types. Each keeps a value and a default of its own type and may be
// bound to one member of its owner of that same type.
#include <cstdint>
#include <string>

#include "core/io/CArchive.h"
#include "core/platform/FontDescription.h"
#include "core/settings/CSettingItem.h"
#include "core/settings/SettingDescriptors.h"

namespace ondrel {

// A flag: a check box in dialogs, 0 or 1 in files and in the profile.
class CCheckSetting : public CTypedSetting<bool> {
public:
    CCheckSetting(CSettingsGroup* group, const SettingDesc<bool>& desc);
    void ReadProfile() override;
    void WriteProfile() override;
    bool Exchange(IDialogExchange& dx) override;
    std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const override;

protected:
    void WriteValue(CArchive& ar) const override;
    bool ReadValue(CArchive& ar, bool& value) const override;
};

// The index of the selected button in a group of radio buttons.
class CChoiceSetting : public CTypedSetting<int> {
public:
    CChoiceSetting(CSettingsGroup* group, const SettingDesc<int>& desc);
    void ReadProfile() override;
    void WriteProfile() override;
    bool Exchange(IDialogExchange& dx) override;
    std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const override;

protected:
    void WriteValue(CArchive& ar) const override;
    bool ReadValue(CArchive& ar, int& value) const override;
};

// A number typed into an edit control, optionally restricted to a range. T is int (a whole
// integer; 32 bits in files, an integer key in the profile) or double (one finite number;
// 64 bits in files, "%e" text in the profile).
template <typename T>
class CRangedSetting : public CTypedSetting<T> {
public:
    CRangedSetting(CSettingsGroup* group, const RangedSettingDesc<T>& desc);
    void ReadProfile() override;
    void WriteProfile() override;
    // Typed text must be a number of the item's kind, and within min ... max when min < max.
    bool Exchange(IDialogExchange& dx) override;
    std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const override;

    T Minimum() const { return min_; }
    T Maximum() const { return max_; }

protected:
    void WriteValue(CArchive& ar) const override;
    bool ReadValue(CArchive& ar, T& value) const override;

private:
    T min_;
    T max_;
};

extern template class CRangedSetting<int>;
extern template class CRangedSetting<double>;
using CIntSetting = CRangedSetting<int>;
using CDoubleSetting = CRangedSetting<double>;

class CTextSetting : public CTypedSetting<std::string> {
public:
    CTextSetting(CSettingsGroup* group, const TextSettingDesc& desc);
    void ReadProfile() override;
    void WriteProfile() override;
    // Typed text may hold at most maxChars characters when maxChars > 0.
    bool Exchange(IDialogExchange& dx) override;
    std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const override;

    // The most characters a user may type; 0 = no limit.
    int MaxChars() const { return maxChars_; }

protected:
    void WriteValue(CArchive& ar) const override;
    bool ReadValue(CArchive& ar, std::string& value) const override;

private:
    int maxChars_;
};

class CColorSetting : public CTypedSetting<ColorRef> {
public:
    CColorSetting(CSettingsGroup* group, const SettingDesc<ColorRef>& desc);
    void ReadProfile() override;
    void WriteProfile() override;
    // Colours have no control of their own; a button opens the colour chooser.
    bool Exchange(IDialogExchange&) override { return true; }
    bool OnButton(int controlId) override;
    std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const override;

protected:
    void WriteValue(CArchive& ar) const override;
    bool ReadValue(CArchive& ar, ColorRef& value) const override;
};

class CFontSetting : public CTypedSetting<FontDescription> {
public:
    CFontSetting(CSettingsGroup* group, const SettingDesc<FontDescription>& desc);
    void ReadProfile() override;
    void WriteProfile() override;
    // Fonts have no control of their own; a button opens the font chooser.
    bool Exchange(IDialogExchange&) override { return true; }
    // Opens the font chooser together with the paired colour item (control id -id).
    bool OnButton(int controlId) override;
    std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const override;

    // The group's first colour item whose control id is the negative of this item's.
    CColorSetting* PairedColor() const;

protected:
    void WriteValue(CArchive& ar) const override;
    bool ReadValue(CArchive& ar, FontDescription& value) const override;
};

// A face name cut to FontDescription::kMaxFaceName bytes without splitting a character.
std::string FitFaceName(std::string faceName);

// The shortest text of value (6 to 17 significant digits) that reads back as the same
// number: how a double is shown in an edit control and in range messages.
std::string FormatRoundTrip(double value);

}  // namespace ondrel
