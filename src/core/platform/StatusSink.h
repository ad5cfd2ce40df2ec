#pragma once
// Where the statuses of a piece of work go as they are found. A reader hands each one on the
// moment it arises, so the caller decides: show it at once (keeping its place among the
// windows and other messages of the same piece of work) or keep it to look at afterwards.
#include "core/platform/Status.h"

namespace ondrel {

class IStatusSink {
public:
    virtual ~IStatusSink() = default;
    virtual void Report(const Status& status) = 0;
};

// Keeps every status reported, in order, and shows nothing.
class StatusCollector : public IStatusSink {
public:
    void Report(const Status& status) override { statuses.push_back(status); }
    StatusList statuses;
};

// Shows each status through the platform's message box as soon as it is reported: the sink of
// the desktop program and the runner.
IStatusSink& MessageBoxStatuses();

}  // namespace ondrel
