#pragma once
// A settings group: an ordered list of typed setting items, each bound to one member of its
// owner (a view, the model parameters, a dialog's copy). One declaration per setting gives
// its profile key, default, range, dialog control and the file versions that hold it; the
// group then reads and writes the profile, resets to defaults, exchanges values with a
// dialog, answers its colour and font buttons, copies values between groups and stores
// itself in chart files with version gating.
#include <memory>
#include <string>
#include <vector>

#include "core/platform/FontDescription.h"
#include "core/settings/CSettingItem.h"
#include "core/settings/SettingDescriptors.h"
#include "core/settings/SettingItems.h"

namespace ondrel {

class IDialogExchange;

class CSettingsGroup {
public:
    CSettingsGroup() = default;
    ~CSettingsGroup();
    CSettingsGroup(const CSettingsGroup&) = delete;
    CSettingsGroup& operator=(const CSettingsGroup&) = delete;

    // The profile section; set before adding items, since a bound item reads the profile
    // as soon as it is added.
    void SetSection(const std::string& name) { section_ = name; }
    const std::string& Section() const { return section_; }
    // The file version in force while reading or writing a chart.
    double Version() const { return version_; }

    // Each appends one item and returns whether it succeeded. since/until gate reading from
    // files (until 0 = no end; an item with until != 0 is never written). A bound item reads
    // its value from the profile at once and stores it into *desc.bound.
    bool AddCheck(const SettingDesc<bool>& desc);
    bool AddChoice(const SettingDesc<int>& desc);
    bool AddInt(const RangedSettingDesc<int>& desc);
    bool AddDouble(const RangedSettingDesc<double>& desc);
    bool AddColor(const SettingDesc<ColorRef>& desc);
    // Without a defaultValue, the default is the standard font (FontDescription's defaults).
    bool AddFont(const SettingDesc<FontDescription>& desc);
    // Text items come only from AssignFrom of a group that has them, and from owners that
    // need one (a title).
    bool AddText(const TextSettingDesc& desc);

    // version != 0 becomes the group's version; then every item in order.
    void Serialize(CArchive& ar, double version);
    void ReadProfile();
    void WriteProfile();
    void ResetToDefaults();
    // Every item in order; false at the first item whose control holds an invalid value
    // (the exchange context has shown the message and focused the control).
    bool Exchange(IDialogExchange& dx);
    // True when any item handled the button and changed (every item is asked).
    bool OnButton(int controlId);
    // Item i <- other's item i; the two groups must have been built alike.
    void CopyValuesFrom(const CSettingsGroup& other);
    // This group becomes an unbound copy of other (section, items, current values).
    void AssignFrom(const CSettingsGroup& other);

    // The first item with this control id as an ItemClass, its value or its default of type
    // T; null when there is no such item or it is of another class or type.
    template <typename ItemClass>
    ItemClass* Find(int controlId) {
        CSettingItem* item = FindItem(controlId);
        return item != nullptr ? item->As<ItemClass>() : nullptr;
    }
    template <typename T>
    T* FindValue(int controlId) {
        CSettingItem* item = FindItem(controlId);
        return item != nullptr ? item->Value<T>() : nullptr;
    }
    template <typename T>
    const T* FindDefault(int controlId) const {
        const CSettingItem* item = FindItem(controlId);
        return item != nullptr ? item->Default<T>() : nullptr;
    }

    std::size_t Size() const { return items_.size(); }
    CSettingItem& Item(std::size_t i) { return *items_[i]; }
    const CSettingItem& Item(std::size_t i) const { return *items_[i]; }

private:
    bool Append(std::unique_ptr<CSettingItem> item);
    CSettingItem* FindItem(int controlId) const;

    std::vector<std::unique_ptr<CSettingItem>> items_;
    std::string section_;
    double version_ = 0.0;
};

}  // namespace ondrel
