#pragma once
// The one random source of the process: a 32-bit linear congruential generator shared by the
// Random, Gaussian and Jitter blocks. Because it is shared, every random block's Setup
// re-seeds the same sequence; the block set up last decides it. User-interface thread only.
#include <cstdint>

namespace ondrel {

// Largest value DrawRandom returns.
inline constexpr int kRandomMax = 32767;

// Sets the generator's state.
void SeedRandomSource(std::uint32_t seed);
// The state as it is now (after the last draw or seeding).
std::uint32_t RandomSourceState();

// Advances the state (s = s * 214013 + 2531011, modulo 2^32) and returns bits 16..30 of the
// new state: an integer in 0..32767.
int DrawRandom();
// DrawRandom() / 32767: a uniform value in 0..1, both ends included.
double DrawUniform();

// The random blocks' "Seed" setting: the value is truncated toward zero, and 2..32767 seeds
// with it, so a run is repeatable; anything else (the default 1 included) seeds from the
// calendar time in seconds, giving a different sequence per run.
void SeedFromSetting(double seed);

}  // namespace ondrel
