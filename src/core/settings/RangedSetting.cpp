// Int and double items: one number typed into an edit control, optionally within a range.
// What differs between the two kinds is how a value is read and written (file, profile,
// control) and how the dialog words a bad entry; NumberKind<T> holds those differences.
#include <cmath>
#include <string>

#include "core/platform/NumberFormat.h"
#include "core/platform/Platform.h"
#include "core/settings/DialogExchange.h"
#include "core/settings/SettingItems.h"
#include "core/settings/SettingMessages.h"

namespace ondrel {

namespace {

template <typename T>
struct NumberKind;

template <>
struct NumberKind<int> {
    static constexpr SettingType kType = SettingType::Int;
    static constexpr const char* kEnter = setting_messages::kEnterInteger;
    static constexpr const char* kBetween = setting_messages::kIntegerBetween;

    static std::string Text(int value) { return std::to_string(value); }
    static bool Parse(const std::string& text, int& value) {
        return ParseIntegerStrict(text, value);
    }
    static int FromProfile(const std::string& section, const std::string& key, int fallback) {
        return Profile().GetInt(section, key, fallback);
    }
    static void ToProfile(const std::string& section, const std::string& key, int value) {
        Profile().WriteInt(section, key, value);
    }
    static void Write(CArchive& ar, int value) { ar.WriteInt32(value); }
    static int Read(CArchive& ar) { return ar.ReadInt32(); }
};

template <>
struct NumberKind<double> {
    static constexpr SettingType kType = SettingType::Double;
    static constexpr const char* kEnter = setting_messages::kEnterNumber;
    static constexpr const char* kBetween = setting_messages::kNumberBetween;

    static std::string Text(double value) { return FormatRoundTrip(value); }
    static bool Parse(const std::string& text, double& value) {
        // An overflowing entry such as 1e999 is no usable number either.
        return ParseDecimalStrict(text, value) && std::isfinite(value);
    }
    static double FromProfile(const std::string& section, const std::string& key, double fallback) {
        return ParseDecimal(Profile().GetString(section, key, FormatE(fallback)));
    }
    static void ToProfile(const std::string& section, const std::string& key, double value) {
        Profile().WriteString(section, key, FormatE(value));
    }
    static void Write(CArchive& ar, double value) { ar.WriteDouble(value); }
    static double Read(CArchive& ar) { return ar.ReadDouble(); }
};

}  // namespace

std::string FormatRoundTrip(double value) {
    // Six digits is how numbers are usually shown; more only when six would change the value
    // the user gets back by pressing OK without touching the control.
    std::string text = FormatSignificant(value, 6);
    for (int digits = 7; digits <= 17 && ParseDecimal(text) != value; ++digits)
        text = FormatSignificant(value, digits);
    return text;
}

template <typename T>
CRangedSetting<T>::CRangedSetting(CSettingsGroup* group, const RangedSettingDesc<T>& desc)
    : CTypedSetting<T>(NumberKind<T>::kType, group, desc.since, desc.until, desc.bound,
                       desc.defaultValue, desc.name, desc.controlId),
      min_(desc.min), max_(desc.max) {}

template <typename T>
void CRangedSetting<T>::ReadProfile() {
    this->SetValue(NumberKind<T>::FromProfile(this->Section(), this->Name(), this->DefaultValue()));
}

template <typename T>
void CRangedSetting<T>::WriteProfile() {
    NumberKind<T>::ToProfile(this->Section(), this->Name(), this->CurrentValue());
}

template <typename T>
bool CRangedSetting<T>::Exchange(IDialogExchange& dx) {
    using Kind = NumberKind<T>;
    std::string text = Kind::Text(this->CurrentValue());
    dx.ExchangeText(this->ControlId(), text);
    if (!dx.IsSaving()) return true;
    T typed{};
    if (!Kind::Parse(text, typed)) {
        dx.Fail(this->ControlId(), Kind::kEnter);
        return false;
    }
    // Equal bounds (typically 0 and 0) mean the item has no range.
    if (min_ < max_ && (typed < min_ || typed > max_)) {
        dx.Fail(this->ControlId(),
                setting_messages::Fill(Kind::kBetween, Kind::Text(min_), Kind::Text(max_)));
        return false;
    }
    this->SetValue(typed);
    return true;
}

template <typename T>
std::unique_ptr<CSettingItem> CRangedSetting<T>::CloneUnbound(CSettingsGroup* group) const {
    auto copy = std::make_unique<CRangedSetting>(
        group, RangedSettingDesc<T>{.since = this->Since(), .until = this->Until(),
                                    .name = this->Name(), .controlId = this->ControlId(),
                                    .bound = nullptr, .defaultValue = this->DefaultValue(),
                                    .min = min_, .max = max_});
    copy->SetValue(this->CurrentValue());
    return copy;
}

template <typename T>
void CRangedSetting<T>::WriteValue(CArchive& ar) const {
    NumberKind<T>::Write(ar, this->CurrentValue());
}

template <typename T>
bool CRangedSetting<T>::ReadValue(CArchive& ar, T& value) const {
    value = NumberKind<T>::Read(ar);
    return true;
}

template class CRangedSetting<int>;
template class CRangedSetting<double>;

}  // namespace ondrel
