#include "core/engine/HistoryBudget.h"

#include <unistd.h>

#include <algorithm>

namespace ondrel {
namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;
constexpr std::uint64_t kFallbackBytes = 1024 * kMegabyte;

std::uint64_t& Budget() {
    static std::uint64_t bytes = DefaultHistoryBudgetBytes();
    return bytes;
}

}  // namespace

std::uint64_t DefaultHistoryBudgetBytes() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) return kFallbackBytes;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) / 2;
}

std::uint64_t HistoryBudgetBytes() { return Budget(); }

void SetHistoryBudgetBytes(std::uint64_t bytes) { Budget() = bytes; }

std::uint64_t HistoryBudgetFromMegabytes(std::int64_t megabytes) {
    // Beyond this the product would overflow; no machine has that much anyway.
    constexpr std::int64_t kLargest = std::int64_t{1} << 40;
    return megabytes <= 0 ? DefaultHistoryBudgetBytes()
                          : static_cast<std::uint64_t>(std::min(megabytes, kLargest)) * kMegabyte;
}

void SetHistoryBudgetMegabytes(std::int64_t megabytes) { Budget() = HistoryBudgetFromMegabytes(megabytes); }

std::uint64_t BudgetedSamples(std::uint64_t recordedBlocks) {
    const std::uint64_t perSample = sizeof(double) * std::max<std::uint64_t>(recordedBlocks, 1);
    return std::max<std::uint64_t>(Budget() / perSample, 1);
}

ScopedHistoryBudget::ScopedHistoryBudget(std::uint64_t bytes) : previous_(Budget()) { Budget() = bytes; }

ScopedHistoryBudget::~ScopedHistoryBudget() { Budget() = previous_; }

}  // namespace ondrel
