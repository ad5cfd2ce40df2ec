#pragma once
// The seven setting item types. Each keeps a value and a default of its own type and may be
// bound to one member of its owner; the bound member changes only when a file is read, when
// values are copied in from another group (CopyFrom) and when a group adds the item.
#include <cstdint>
#include <string>
#include <type_traits>

#include "core/io/CArchive.h"
#include "core/platform/FontDescription.h"
#include "core/settings/CSettingItem.h"
#include "core/settings/CSettingsGroup.h"

namespace ondrel {

// What every typed item shares: the value, the default, the bound member and the file
// round trip with version gating. Bound differs from T only for check items, whose owners
// keep an int while the item keeps a byte flag.
template <typename T, typename Bound = T>
class CTypedSetting : public CSettingItem {
public:
    CTypedSetting(SettingType type, CSettingsGroup* group, double since, double until, Bound* bound,
                  const T& defaultValue, const std::string& name, int controlId)
        : CSettingItem(type, group, since, until, name, controlId),
          bound_(bound), value_(defaultValue), default_(defaultValue) {}

    void Serialize(CArchive& ar) override {
        RefreshFromVariable();
        if (ar.IsStoring()) {
            if (Until() == 0) WriteValue(ar);
            return;
        }
        if (!PresentInFile()) return;
        T read = value_;
        // A short or damaged file keeps the value it had rather than taking zeros.
        if (!ReadValue(ar, read) || ar.Failed()) return;
        value_ = read;
        StoreToVariable();
    }
    void RefreshFromVariable() override {
        if (bound_ == nullptr) return;
        if constexpr (std::is_same_v<T, Bound>) value_ = *bound_;
        else value_ = static_cast<T>(*bound_ != 0);
    }
    void ResetToDefault() override { value_ = default_; }
    void CopyFrom(const CSettingItem& other) override {
        if (other.Type() != Type()) return;
        value_ = static_cast<const CTypedSetting&>(other).value_;
        StoreToVariable();
    }
    bool OnButton(int /*controlId*/) override { return false; }
    void* Value() override { return &value_; }
    const void* Default() const override { return &default_; }

    const T& CurrentValue() const { return value_; }
    void SetValue(const T& value) { value_ = value; }
    const T& DefaultValue() const { return default_; }
    Bound* BoundVariable() const { return bound_; }
    // Bound member <- value (when bound).
    void StoreToVariable() {
        if (bound_ != nullptr) *bound_ = static_cast<Bound>(value_);
    }

protected:
    virtual void WriteValue(CArchive& ar) const = 0;
    // Reads one value in the file format into value; false when it could not be read.
    virtual bool ReadValue(CArchive& ar, T& value) const = 0;
    // The profile section of the owning group.
    const std::string& Section() const;

private:
    Bound* bound_;
    T value_;
    T default_;
};

// Value() points to a std::uint8_t flag (0 or 1); the bound int receives 0 or 1.
class CCheckSetting : public CTypedSetting<std::uint8_t, int> {
public:
    CCheckSetting(CSettingsGroup* group, double since, double until, int* bound, int defaultValue,
                  const std::string& name, int controlId);
    void ReadProfile() override;
    void WriteProfile() override;
    bool Exchange(IDialogExchange& dx) override;
    std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const override;

protected:
    void WriteValue(CArchive& ar) const override;
    bool ReadValue(CArchive& ar, std::uint8_t& value) const override;
};

class CChoiceSetting : public CTypedSetting<int> {
public:
    CChoiceSetting(CSettingsGroup* group, double since, double until, int* bound, int defaultValue,
                   const std::string& name, int controlId);
    void ReadProfile() override;
    void WriteProfile() override;
    bool Exchange(IDialogExchange& dx) override;
    std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const override;

protected:
    void WriteValue(CArchive& ar) const override;
    bool ReadValue(CArchive& ar, int& value) const override;
};

class CIntSetting : public CTypedSetting<int> {
public:
    CIntSetting(CSettingsGroup* group, double since, double until, int* bound, int defaultValue,
                const std::string& name, int controlId, int min, int max);
    void ReadProfile() override;
    void WriteProfile() override;
    // Typed text must be a whole integer, and within min ... max when min < max.
    bool Exchange(IDialogExchange& dx) override;
    const void* Minimum() const override { return &min_; }
    const void* Maximum() const override { return &max_; }
    std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const override;

protected:
    void WriteValue(CArchive& ar) const override;
    bool ReadValue(CArchive& ar, int& value) const override;

private:
    int min_;
    int max_;
};

class CDoubleSetting : public CTypedSetting<double> {
public:
    CDoubleSetting(CSettingsGroup* group, double since, double until, double* bound,
                   double defaultValue, const std::string& name, int controlId, double min,
                   double max);
    void ReadProfile() override;
    void WriteProfile() override;
    // Typed text must be one finite number, and within min ... max when min < max.
    bool Exchange(IDialogExchange& dx) override;
    const void* Minimum() const override { return &min_; }
    const void* Maximum() const override { return &max_; }
    std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const override;

protected:
    void WriteValue(CArchive& ar) const override;
    bool ReadValue(CArchive& ar, double& value) const override;

private:
    double min_;
    double max_;
};

class CTextSetting : public CTypedSetting<std::string> {
public:
    CTextSetting(CSettingsGroup* group, double since, double until, std::string* bound,
                 const std::string& defaultValue, const std::string& name, int controlId,
                 int maxChars);
    void ReadProfile() override;
    void WriteProfile() override;
    // Typed text may hold at most maxChars characters when maxChars > 0.
    bool Exchange(IDialogExchange& dx) override;
    // The maximum character count (an int; 0 = no limit).
    const void* Maximum() const override { return &maxChars_; }
    std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const override;

protected:
    void WriteValue(CArchive& ar) const override;
    bool ReadValue(CArchive& ar, std::string& value) const override;

private:
    int maxChars_;
};

class CColorSetting : public CTypedSetting<ColorRef> {
public:
    CColorSetting(CSettingsGroup* group, double since, double until, ColorRef* bound,
                  ColorRef defaultValue, const std::string& name, int controlId);
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
    CFontSetting(CSettingsGroup* group, double since, double until, FontDescription* bound,
                 const FontDescription& defaultValue, const std::string& name, int controlId);
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

template <typename T, typename Bound>
const std::string& CTypedSetting<T, Bound>::Section() const {
    static const std::string kNoSection;
    return Group() != nullptr ? Group()->Section() : kNoSection;
}

// A face name cut to FontDescription::kMaxFaceName bytes without splitting a character.
std::string FitFaceName(std::string faceName);

// The shortest text of value (6 to 17 significant digits) that reads back as the same
// number: how a double is shown in an edit control and in range messages.
std::string FormatRoundTrip(double value);

}  // namespace ondrel
