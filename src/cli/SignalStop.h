#pragma once
// SIGINT and SIGTERM as a stop request. The handler only counts: the run window pump turns
// the first signal into the document's stop flag, so the run ends after the current interval
// and the outputs are written as after any run. A second signal waits for those writes (each
// is atomic, so there is nothing to gain by breaking one off); a third ends the process at once.

namespace ondrel::runner {

class SignalStop {
public:
    // Installs the handlers for the lifetime of this object and clears the count.
    SignalStop();
    ~SignalStop();
    SignalStop(const SignalStop&) = delete;
    SignalStop& operator=(const SignalStop&) = delete;

    // Signals received since construction.
    static int Count();
    static bool Requested() { return Count() > 0; }
};

}  // namespace ondrel::runner
