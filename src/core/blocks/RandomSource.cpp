#include "core/blocks/RandomSource.h"

#include <cmath>

#include "core/platform/Platform.h"

namespace ondrel {
namespace {

// The state a fresh process starts from, as if seeded with 1.
std::uint32_t& State() {
    static std::uint32_t state = 1;
    return state;
}

}  // namespace

void SeedRandomSource(std::uint32_t seed) { State() = seed; }

std::uint32_t RandomSourceState() { return State(); }

int DrawRandom() {
    // Unsigned arithmetic wraps modulo 2^32, which is exactly the generator's modulus.
    std::uint32_t& s = State();
    s = s * 214013u + 2531011u;
    return static_cast<int>((s >> 16) & 0x7FFFu);
}

double DrawUniform() { return static_cast<double>(DrawRandom()) / kRandomMax; }

void SeedFromSetting(double seed) {
    const double whole = std::trunc(seed);  // NaN stays NaN and fails the range test
    if (whole >= 2.0 && whole <= kRandomMax) {
        SeedRandomSource(static_cast<std::uint32_t>(whole));
        return;
    }
    const std::int64_t seconds = Platform().clock->CalendarSeconds();
    SeedRandomSource(static_cast<std::uint32_t>(seconds));  // keeps the low 32 bits
}

}  // namespace ondrel
