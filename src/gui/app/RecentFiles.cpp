#include "gui/app/RecentFiles.h"

#include <algorithm>

#include "core/platform/Platform.h"

namespace ondrel::gui {
namespace {

std::string KeyOf(int i) { return "File" + std::to_string(i + 1); }

}  // namespace

void RecentFiles::Load() {
    paths_.clear();
    for (int i = 0; i < kSize; ++i) {
        std::string path = Profile().GetString(kSection, KeyOf(i), "");
        if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end())
            paths_.push_back(std::move(path));
    }
}

void RecentFiles::Add(const std::string& path) {
    if (path.empty()) return;
    std::erase(paths_, path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > static_cast<std::size_t>(kSize)) paths_.resize(kSize);
    Save();
}

void RecentFiles::Remove(const std::string& path) {
    std::erase(paths_, path);
    Save();
}

void RecentFiles::Save() const {
    for (int i = 0; i < kSize; ++i) {
        const auto at = static_cast<std::size_t>(i);
        Profile().WriteString(kSection, KeyOf(i), at < paths_.size() ? paths_[at] : "");
    }
}

}  // namespace ondrel::gui
