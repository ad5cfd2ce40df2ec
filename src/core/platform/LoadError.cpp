#include "core/platform/LoadError.h"

#include <utility>

namespace ondrel {
namespace {

// Everything runs on the one user-interface thread.
std::string& CurrentFile() {
    static std::string path;
    return path;
}

IStatusSink*& CurrentSink() {
    static IStatusSink* sink = &MessageBoxStatuses();
    return sink;
}

}  // namespace

ScopedLoadFile::ScopedLoadFile(std::string path) : previous_(std::exchange(CurrentFile(), std::move(path))) {}

ScopedLoadFile::~ScopedLoadFile() { CurrentFile() = std::move(previous_); }

const std::string& FileBeingLoaded() { return CurrentFile(); }

Status LoadErrorStatus(const std::string& text) {
    return Status{text, kLoadErrorCaption, MsgButtons::Ok, MsgIcon::Error, CurrentFile()};
}

ScopedLoadErrorSink::ScopedLoadErrorSink(IStatusSink& sink) : previous_(std::exchange(CurrentSink(), &sink)) {}

ScopedLoadErrorSink::~ScopedLoadErrorSink() { CurrentSink() = previous_; }

void ReportLoadError(const std::string& text) { CurrentSink()->Report(LoadErrorStatus(text)); }

}  // namespace ondrel
