#pragma once
// "Load Error" messages: the error icon, and the file being read named in the detail line,
// so that a message about one of several files opened at once says which.
#include <string>

namespace ondrel {

inline constexpr const char* kLoadErrorCaption = "Load Error";

// Names the file being read for the load errors shown while the scope lasts. Scopes nest:
// the outer file is named again when an inner one ends.
class ScopedLoadFile {
public:
    explicit ScopedLoadFile(std::string path);
    ~ScopedLoadFile();
    ScopedLoadFile(const ScopedLoadFile&) = delete;
    ScopedLoadFile& operator=(const ScopedLoadFile&) = delete;

private:
    std::string previous_;
};

// The file the innermost ScopedLoadFile names; empty outside any.
const std::string& FileBeingLoaded();

// Shows text under "Load Error" with OK and the error icon; the detail is the file being
// read, when there is one.
void ShowLoadError(const std::string& text);

}  // namespace ondrel
