#pragma once
// One typed setting bound to a member of its owner. The seven item types differ in their
// value type, file format, profile keys and dialog exchange; CTypedSetting<T> holds what
// they share, and callers reach a value only by naming its type.
#include <memory>
#include <string>

#include "core/io/CArchive.h"
#include "core/settings/SettingDescriptors.h"

namespace ondrel {

class CSettingsGroup;
class IDialogExchange;

enum class SettingType : int {
    Check = 1,
    Choice = 2,
    Font = 3,
    Text = 4,
    Color = 5,
    Int = 6,
    Double = 7,
};

template <typename T>
class CTypedSetting;

class CSettingItem {
public:
    CSettingItem(SettingType type, CSettingsGroup* group, double since, double until,
                 const std::string& name, int controlId)
        : type_(type), name_(name), controlId_(controlId), group_(group), since_(since), until_(until) {}
    virtual ~CSettingItem() = default;

    // File read or write with version gating.
    virtual void Serialize(CArchive& ar) = 0;
    virtual void RefreshFromVariable() = 0;
    virtual void ReadProfile() = 0;
    virtual void WriteProfile() = 0;
    virtual void ResetToDefault() = 0;
    // value <- other's value (other of the same type); bound variable <- value.
    virtual void CopyFrom(const CSettingItem& other) = 0;
    // Moves the value between the item's control and the item; false when the control holds
    // an invalid value.
    virtual bool Exchange(IDialogExchange& dx) = 0;
    // True when id is this item's control and its chooser changed the value.
    virtual bool OnButton(int controlId) = 0;
    // A new item of the same type for group with the same since, until, name, control id,
    // default, range and current value, bound to nothing.
    virtual std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const = 0;

    // This item as an ItemClass (CIntSetting, CFontSetting, ...); null when it is of another
    // class, so an int item is never mistaken for a choice that also keeps an int.
    template <typename ItemClass>
    ItemClass* As() { return dynamic_cast<ItemClass*>(this); }
    template <typename ItemClass>
    const ItemClass* As() const { return dynamic_cast<const ItemClass*>(this); }

    // The current value or the default when the item keeps a T (choice and int items both
    // keep an int, check items a bool); null for any other type, never a reinterpretation.
    template <typename T>
    T* Value();
    template <typename T>
    const T* Value() const;
    template <typename T>
    const T* Default() const;

    SettingType Type() const { return type_; }
    const std::string& Name() const { return name_; }
    int ControlId() const { return controlId_; }
    double Since() const { return since_; }
    double Until() const { return until_; }
    CSettingsGroup* Group() const { return group_; }

protected:
    // True when a file of the group's version holds this item.
    bool PresentInFile() const;
    // The profile section of the owning group; empty without a group.
    const std::string& Section() const;

private:
    SettingType type_;
    std::string name_;
    int controlId_;
    CSettingsGroup* group_;
    double since_;
    double until_;
};

// What every typed item shares: the value, the default, the bound member and the file
// round trip with version gating. The bound member changes only when a file is read, when
// values are copied in from another group (CopyFrom) and when a group adds the item.
template <typename T>
class CTypedSetting : public CSettingItem {
public:
    CTypedSetting(SettingType type, CSettingsGroup* group, double since, double until, T* bound,
                  const T& defaultValue, const std::string& name, int controlId)
        : CSettingItem(type, group, since, until, name, controlId),
          bound_(bound), value_(defaultValue), default_(defaultValue) {}
    CTypedSetting(SettingType type, CSettingsGroup* group, const SettingDesc<T>& desc)
        : CTypedSetting(type, group, desc.since, desc.until, desc.bound, desc.defaultValue,
                        desc.name, desc.controlId) {}

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
        if (bound_ != nullptr) value_ = *bound_;
    }
    void ResetToDefault() override { value_ = default_; }
    void CopyFrom(const CSettingItem& other) override {
        if (other.Type() != Type()) return;
        value_ = static_cast<const CTypedSetting&>(other).value_;
        StoreToVariable();
    }
    bool OnButton(int /*controlId*/) override { return false; }

    const T& CurrentValue() const { return value_; }
    T& CurrentValue() { return value_; }
    void SetValue(const T& value) { value_ = value; }
    const T& DefaultValue() const { return default_; }
    T* BoundVariable() const { return bound_; }
    // Bound member <- value (when bound).
    void StoreToVariable() {
        if (bound_ != nullptr) *bound_ = value_;
    }
    // The descriptor this item was declared with, bound to nothing: what a clone starts from.
    SettingDesc<T> UnboundDesc() const {
        return {.since = Since(), .until = Until(), .name = Name(), .controlId = ControlId(),
                .bound = nullptr, .defaultValue = default_};
    }

protected:
    virtual void WriteValue(CArchive& ar) const = 0;
    // Reads one value in the file format into value; false when it could not be read.
    virtual bool ReadValue(CArchive& ar, T& value) const = 0;

private:
    T* bound_;
    T value_;
    T default_;
};

template <typename T>
T* CSettingItem::Value() {
    auto* typed = As<CTypedSetting<T>>();
    return typed != nullptr ? &typed->CurrentValue() : nullptr;
}

template <typename T>
const T* CSettingItem::Value() const {
    const auto* typed = As<CTypedSetting<T>>();
    return typed != nullptr ? &typed->CurrentValue() : nullptr;
}

template <typename T>
const T* CSettingItem::Default() const {
    const auto* typed = As<CTypedSetting<T>>();
    return typed != nullptr ? &typed->DefaultValue() : nullptr;
}

}  // namespace ondrel
