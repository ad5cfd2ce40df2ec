#pragma once
// The recent-file list: the last four charts opened or saved, newest first, kept in the
// profile (section "Recent File List", keys "File1".."File4").
#include <string>
#include <vector>

namespace ondrel::gui {

class RecentFiles {
public:
    static constexpr int kSize = 4;
    static constexpr const char* kSection = "Recent File List";

    // Reads the list from the profile.
    void Load();
    // Moves path to the front (a path already listed is not listed twice) and saves.
    void Add(const std::string& path);
    // Drops path (a file that could not be opened) and saves.
    void Remove(const std::string& path);
    const std::vector<std::string>& Paths() const { return paths_; }

private:
    void Save() const;
    std::vector<std::string> paths_;
};

}  // namespace ondrel::gui
