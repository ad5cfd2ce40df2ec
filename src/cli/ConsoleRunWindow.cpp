#include "cli/ConsoleRunWindow.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "cli/SignalStop.h"
#include "core/model/CTarvekDoc.h"
#include "core/platform/NumberFormat.h"

namespace ondrel::runner {
namespace {

// Clears the terminal line the cursor is on and returns to its start.
constexpr const char* kEraseLine = "\r\033[K";

std::string Duration(double seconds) {
    const long whole = std::lround(seconds);
    char text[40];
    if (whole < 1) return "under 1 s";
    if (whole < 60) std::snprintf(text, sizeof text, "%ld s", whole);
    else if (whole < 3600) std::snprintf(text, sizeof text, "%ld min %02ld s", whole / 60, whole % 60);
    else std::snprintf(text, sizeof text, "%ld h %02ld min", whole / 3600, whole / 60 % 60);
    return text;
}

}  // namespace

std::string ProgressLine(double time, double end, double elapsedSeconds) {
    std::string line = "t = " + FormatSignificant(time, 6) + " of " + FormatSignificant(end, 6);
    const double fraction = end > 0.0 ? std::clamp(time / end, 0.0, 1.0) : 0.0;
    line += " (" + std::to_string(static_cast<int>(std::floor(100.0 * fraction))) + "%)";
    if (fraction > 0.0 && std::isfinite(elapsedSeconds))
        line += ", about " + Duration(elapsedSeconds * (1.0 - fraction) / fraction) + " left";
    return line;
}

double ConsoleRunWindow::SteadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

ConsoleRunWindow::ConsoleRunWindow(std::ostream& err, ProgressMode mode, bool terminal, Seconds now)
    : err_(err), mode_(mode), terminal_(terminal), now_(std::move(now)) {}

bool ConsoleRunWindow::Open(CTarvekDoc&) {
    start_ = now_();
    shown_ = false;
    return true;
}

void ConsoleRunWindow::Pump(CTarvekDoc& doc, bool) {
    // The same request a click on the desktop program's run window makes.
    if (SignalStop::Requested()) doc.OnTerminateRun();
    if (mode_ == ProgressMode::Off) return;
    const double now = now_();
    if (mode_ == ProgressMode::Automatic && now - start_ < kQuietSeconds) return;
    if (shown_ && now - lastShown_ < kRefreshSeconds) return;
    Show(doc, now);
}

void ConsoleRunWindow::Show(const CTarvekDoc& doc, double now) {
    const std::string line = "ondrel-run: " + ProgressLine(doc.RunTime(), doc.simulationEnd, now - start_);
    if (terminal_) err_ << kEraseLine << line;
    else err_ << line << '\n';
    err_.flush();
    shown_ = true;
    lastShown_ = now;
}

void ConsoleRunWindow::Close(CTarvekDoc&) { Erase(); }

void ConsoleRunWindow::Erase() {
    if (shown_ && terminal_) err_ << kEraseLine << std::flush;
    shown_ = false;
}

}  // namespace ondrel::runner
