#include "cli/SignalStop.h"

#include <unistd.h>

#include <atomic>
#include <csignal>

namespace ondrel::runner {
namespace {

static_assert(std::atomic<int>::is_always_lock_free, "the handler needs a lock-free counter");

std::atomic<int> received{0};

constexpr int kSignals[] = {SIGINT, SIGTERM};
constexpr int kSignalsToEndAtOnce = 3;

struct sigaction previous[2];

// Written from the handler itself (write is async-signal-safe), so that the user knows the
// second press was heard while the outputs are still being written.
constexpr char kSecondSignalNote[] =
    "ondrel-run: the outputs are written first; another signal ends the program at once\n";

extern "C" void CountSignal(int signal) {
    const int count = received.fetch_add(1) + 1;
    if (count == kSignalsToEndAtOnce - 1) {
        const ssize_t ignored = write(STDERR_FILENO, kSecondSignalNote, sizeof kSecondSignalNote - 1);
        (void)ignored;
    }
    if (count < kSignalsToEndAtOnce) return;
    // Both calls are async-signal-safe; the default action ends the process as the signal
    // itself would have, so the caller sees it died of that signal.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

SignalStop::SignalStop() {
    received = 0;
    struct sigaction action {};
    action.sa_handler = CountSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // reads and writes in progress go on rather than fail
    for (int i = 0; i < 2; ++i) sigaction(kSignals[i], &action, &previous[i]);
}

SignalStop::~SignalStop() {
    for (int i = 0; i < 2; ++i) sigaction(kSignals[i], &previous[i], nullptr);
}

int SignalStop::Count() { return received.load(); }

}  // namespace ondrel::runner
