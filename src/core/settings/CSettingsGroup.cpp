#include "core/settings/CSettingsGroup.h"

#include <algorithm>

#include "core/settings/SettingItems.h"

namespace ondrel {

namespace {

// A bound item starts from the profile, and so does its owner's member.
template <typename Item>
std::unique_ptr<Item> LoadedFromProfile(std::unique_ptr<Item> item) {
    if (item->BoundVariable() != nullptr) {
        item->ReadProfile();
        item->StoreToVariable();
    }
    return item;
}

}  // namespace

bool CSettingItem::PresentInFile() const {
    const double version = group_ != nullptr ? group_->Version() : 0.0;
    return since_ <= version && (until_ == 0.0 || version <= until_);
}

const std::string& CSettingItem::Section() const {
    static const std::string kNoSection;
    return group_ != nullptr ? group_->Section() : kNoSection;
}

CSettingsGroup::~CSettingsGroup() = default;

bool CSettingsGroup::Append(std::unique_ptr<CSettingItem> item) {
    if (!item) return false;
    items_.push_back(std::move(item));
    return true;
}

bool CSettingsGroup::AddCheck(const SettingDesc<bool>& desc) {
    return Append(LoadedFromProfile(std::make_unique<CCheckSetting>(this, desc)));
}

bool CSettingsGroup::AddChoice(const SettingDesc<int>& desc) {
    return Append(LoadedFromProfile(std::make_unique<CChoiceSetting>(this, desc)));
}

bool CSettingsGroup::AddInt(const RangedSettingDesc<int>& desc) {
    return Append(LoadedFromProfile(std::make_unique<CIntSetting>(this, desc)));
}

bool CSettingsGroup::AddDouble(const RangedSettingDesc<double>& desc) {
    return Append(LoadedFromProfile(std::make_unique<CDoubleSetting>(this, desc)));
}

bool CSettingsGroup::AddColor(const SettingDesc<ColorRef>& desc) {
    return Append(LoadedFromProfile(std::make_unique<CColorSetting>(this, desc)));
}

bool CSettingsGroup::AddFont(const SettingDesc<FontDescription>& desc) {
    return Append(LoadedFromProfile(std::make_unique<CFontSetting>(this, desc)));
}

bool CSettingsGroup::AddText(const TextSettingDesc& desc) {
    return Append(LoadedFromProfile(std::make_unique<CTextSetting>(this, desc)));
}

void CSettingsGroup::Serialize(CArchive& ar, double version) {
    if (version != 0.0) version_ = version;
    for (auto& item : items_) item->Serialize(ar);
}

void CSettingsGroup::ReadProfile() {
    for (auto& item : items_) item->ReadProfile();
}

void CSettingsGroup::WriteProfile() {
    for (auto& item : items_) item->WriteProfile();
}

void CSettingsGroup::ResetToDefaults() {
    for (auto& item : items_) item->ResetToDefault();
}

bool CSettingsGroup::Exchange(IDialogExchange& dx) {
    for (auto& item : items_)
        if (!item->Exchange(dx)) return false;
    return true;
}

bool CSettingsGroup::OnButton(int controlId) {
    bool changed = false;
    for (auto& item : items_)
        if (item->OnButton(controlId)) changed = true;
    return changed;
}

void CSettingsGroup::CopyValuesFrom(const CSettingsGroup& other) {
    // Groups built alike have the same length; a shorter other simply copies less.
    const std::size_t count = std::min(items_.size(), other.items_.size());
    for (std::size_t i = 0; i < count; ++i) items_[i]->CopyFrom(*other.items_[i]);
}

void CSettingsGroup::AssignFrom(const CSettingsGroup& other) {
    if (&other == this) return;
    section_ = other.section_;
    std::vector<std::unique_ptr<CSettingItem>> copies;
    copies.reserve(other.items_.size());
    for (const auto& item : other.items_) {
        // The owner's member may be newer than the item, e.g. after the owner changed it.
        item->RefreshFromVariable();
        copies.push_back(item->CloneUnbound(this));
    }
    items_ = std::move(copies);
}

CSettingItem* CSettingsGroup::FindItem(int controlId) const {
    for (const auto& item : items_)
        if (item->ControlId() == controlId) return item.get();
    return nullptr;
}

}  // namespace ondrel
