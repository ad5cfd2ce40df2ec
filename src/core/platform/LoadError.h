#pragma once
// "Load Error" messages: the error icon, and the file being read named in the detail line,
// so that a message about one of several files opened at once says which.
#include <string>

#include "core/platform/Status.h"
#include "core/platform/StatusSink.h"

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

// The status of a load error: text under "Load Error" with OK and the error icon; the detail
// is the file being read, when there is one.
Status LoadErrorStatus(const std::string& text);

// Sends the load errors reported while the scope lasts to sink. A record deep in the file (a
// block's, whose reading cannot be handed a sink of its own) reports through this, so its
// errors go where those of the whole read go, at the moment they are found. Scopes nest.
class ScopedLoadErrorSink {
public:
    explicit ScopedLoadErrorSink(IStatusSink& sink);
    ~ScopedLoadErrorSink();
    ScopedLoadErrorSink(const ScopedLoadErrorSink&) = delete;
    ScopedLoadErrorSink& operator=(const ScopedLoadErrorSink&) = delete;

private:
    IStatusSink* previous_;
};

// Hands LoadErrorStatus(text) to the innermost ScopedLoadErrorSink's sink; outside any, it is
// shown through the message box.
void ReportLoadError(const std::string& text);

}  // namespace ondrel
