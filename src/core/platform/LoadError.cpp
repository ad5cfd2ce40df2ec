#include "core/platform/LoadError.h"

#include <utility>

#include "core/platform/Platform.h"

namespace ondrel {
namespace {

// Everything runs on the one user-interface thread.
std::string& CurrentFile() {
    static std::string path;
    return path;
}

}  // namespace

ScopedLoadFile::ScopedLoadFile(std::string path) : previous_(std::exchange(CurrentFile(), std::move(path))) {}

ScopedLoadFile::~ScopedLoadFile() { CurrentFile() = std::move(previous_); }

const std::string& FileBeingLoaded() { return CurrentFile(); }

void ShowLoadError(const std::string& text) {
    Platform().messageBox->ShowWithDetail(text, CurrentFile(), kLoadErrorCaption, MsgButtons::Ok,
                                          MsgIcon::Error);
}

}  // namespace ondrel
