#pragma once
// One typed setting bound to a member of its owner. The seven item types differ in their
// value type, file format, profile keys and dialog exchange.
#include <memory>
#include <string>

namespace ondrel {

class CArchive;
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
    virtual void* Value() = 0;
    virtual const void* Default() const = 0;
    virtual const void* Minimum() const { return nullptr; }
    virtual const void* Maximum() const { return nullptr; }
    // A new item of the same type for group with the same since, until, name, control id,
    // default, range and current value, bound to nothing.
    virtual std::unique_ptr<CSettingItem> CloneUnbound(CSettingsGroup* group) const = 0;

    SettingType Type() const { return type_; }
    const std::string& Name() const { return name_; }
    int ControlId() const { return controlId_; }
    double Since() const { return since_; }
    double Until() const { return until_; }
    CSettingsGroup* Group() const { return group_; }

protected:
    // True when a file of the group's version holds this item.
    bool PresentInFile() const;

private:
    SettingType type_;
    std::string name_;
    int controlId_;
    CSettingsGroup* group_;
    double since_;
    double until_;
};

}  // namespace ondrel
