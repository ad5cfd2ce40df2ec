#pragma once
// The memory a run's recorded samples may take. A run whose histories would pass it stops
// with the out-of-memory message and keeps what it recorded, rather than growing until the
// system ends the process (an output interval of 1e-309 passes the timing check and asks
// for more samples than any machine holds).
//
// Process-wide, like the platform services: the desktop program sets it from the profile,
// the runner from its command line; everything runs on the one user-interface thread.
#include <cstdint>

namespace ondrel {

// Profile section and key of the budget in megabytes (int; 0 or less means the default).
inline constexpr const char* kHistoryBudgetSection = "Settings";
inline constexpr const char* kHistoryBudgetKey = "MaxHistoryMB";

// Half of the machine's physical memory (1 GB when it cannot be told).
std::uint64_t DefaultHistoryBudgetBytes();

// The budget in force: the default until something is set.
std::uint64_t HistoryBudgetBytes();
void SetHistoryBudgetBytes(std::uint64_t bytes);
// Megabytes as the profile and the command line give them, in bytes; 0 or less gives the
// default.
std::uint64_t HistoryBudgetFromMegabytes(std::int64_t megabytes);
void SetHistoryBudgetMegabytes(std::int64_t megabytes);

// The samples per recorded block the budget allows a run that records the given number of
// blocks, each sample a double; at least 1 so sample 0 is always kept.
std::uint64_t BudgetedSamples(std::uint64_t recordedBlocks);

// Sets a budget for the lifetime of this object and restores the previous one after.
class ScopedHistoryBudget {
public:
    explicit ScopedHistoryBudget(std::uint64_t bytes);
    ~ScopedHistoryBudget();
    ScopedHistoryBudget(const ScopedHistoryBudget&) = delete;
    ScopedHistoryBudget& operator=(const ScopedHistoryBudget&) = delete;

private:
    std::uint64_t previous_;
};

}  // namespace ondrel
