#pragma once
// The runner's run window: pumped once per output interval like the desktop program's, it
// turns SIGINT/SIGTERM into the document's stop request and shows a progress line on
// standard error. The engine itself never writes anything.
#include <functional>
#include <ostream>
#include <string>

#include "core/platform/RunWindow.h"

namespace ondrel::runner {

enum class ProgressMode {
    Off,
    Automatic,  // standard error is a terminal: a line that rewrites itself, after one second
    Forced,     // from the first interval on; one line per refresh unless on a terminal
};

// "t = 12.5 of 100 (12%), about 42 s left". The estimate assumes the remaining simulated time
// costs what the elapsed part did.
std::string ProgressLine(double time, double end, double elapsedSeconds);

class ConsoleRunWindow : public IRunWindow {
public:
    // Seconds on a steady clock; the tests pass their own.
    using Seconds = std::function<double()>;
    static double SteadySeconds();

    ConsoleRunWindow(std::ostream& err, ProgressMode mode, bool terminal, Seconds now = SteadySeconds);
    bool Open(CTarvekDoc& doc) override;
    void Pump(CTarvekDoc& doc, bool lastInterval) override;
    void Close(CTarvekDoc& doc) override;
    bool ShowsSamples() const override { return false; }
    // Takes a progress line off the terminal, so that a message does not run into it; the
    // next pump shows it again.
    void Erase();

    static constexpr double kQuietSeconds = 1.0;     // automatic progress waits this long
    static constexpr double kRefreshSeconds = 0.1;   // at most ten lines a second

private:
    void Show(const CTarvekDoc& doc, double now);

    std::ostream& err_;
    ProgressMode mode_;
    bool terminal_;
    Seconds now_;
    double start_ = 0.0;
    double lastShown_ = 0.0;
    bool shown_ = false;
};

}  // namespace ondrel::runner
