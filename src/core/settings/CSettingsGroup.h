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

namespace ondrel {

class CArchive;
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
    // its value from the profile at once and stores it into *bound.
    bool AddCheck(double since, double until, int* bound, int defaultValue,
                  const std::string& name, int controlId);
    bool AddChoice(double since, double until, int* bound, int defaultValue,
                   const std::string& name, int controlId);
    bool AddInt(double since, double until, int* bound, int defaultValue,
                const std::string& name, int controlId, int min, int max);
    bool AddDouble(double since, double until, double* bound, double defaultValue,
                   const std::string& name, int controlId, double min, double max);
    bool AddColor(double since, double until, ColorRef* bound, ColorRef defaultValue,
                  const std::string& name, int controlId);
    // defaultFont null: the standard font (FontDescription's defaults).
    bool AddFont(double since, double until, FontDescription* bound,
                 const FontDescription* defaultFont, const std::string& name, int controlId);
    // Text items come only from AssignFrom of a group that has them, and from owners that
    // need one (a title); maxChars 0 = no limit.
    bool AddText(double since, double until, std::string* bound, const std::string& defaultValue,
                 const std::string& name, int controlId, int maxChars);

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

    // Pointer to the value or default of the first item with this control id; null when
    // there is none. The pointee's type is the item's value type.
    void* FindValue(int controlId);
    const void* FindDefault(int controlId) const;

    std::size_t Size() const { return items_.size(); }
    CSettingItem& Item(std::size_t i) { return *items_[i]; }
    const CSettingItem& Item(std::size_t i) const { return *items_[i]; }

private:
    bool Append(std::unique_ptr<CSettingItem> item);

    std::vector<std::unique_ptr<CSettingItem>> items_;
    std::string section_;
    double version_ = 0.0;
};

}  // namespace ondrel
