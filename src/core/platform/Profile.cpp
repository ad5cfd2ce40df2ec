#include "core/platform/Profile.h"

#include <charconv>

namespace ondrel {

int MemoryProfile::GetInt(const std::string& section, const std::string& key, int defaultValue) {
    auto it = entries_.find({section, key});
    if (it == entries_.end()) return defaultValue;
    int value = 0;
    const std::string& text = it->second;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    // A stored text that is no integer reads as 0, like the platform's own profile does.
    return ec == std::errc() ? value : 0;
}

void MemoryProfile::WriteInt(const std::string& section, const std::string& key, int value) {
    entries_[{section, key}] = std::to_string(value);
}

std::string MemoryProfile::GetString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) {
    auto it = entries_.find({section, key});
    return it == entries_.end() ? defaultValue : it->second;
}

void MemoryProfile::WriteString(const std::string& section, const std::string& key,
                                const std::string& value) {
    entries_[{section, key}] = value;
}

bool MemoryProfile::Has(const std::string& section, const std::string& key) const {
    return entries_.count({section, key}) != 0;
}

}  // namespace ondrel
