// The engine's one random generator, shared by the script built-ins and the
// effects: a 32-bit linear congruential generator (state * 214013 + 2531011),
// drawing numbers 0..32767 from bits 16..30 of the state. The state starts at
// 1 and changes only by drawing or seeding, so a show replays identically.
#pragma once

#include <cstdint>

inline constexpr int kRandomMax = 0x7FFF;

void seedRandom(uint32_t seed);
int nextRandom();
// The next number scaled to 0..1.
inline float nextRandomUnit() { return float(nextRandom()) / float(kRandomMax); }
