// Deterministic random numbers for the generator: the formula of the engine's
// linear congruential generator (state * 214013 + 2531011, 15-bit results),
// as separate streams rather than the engine's one global state, because the
// asset families are made concurrently and each needs its own sequence.
#pragma once

#include <cstdint>

namespace showgen {

struct Lcg {
  uint32_t state = 1;

  explicit Lcg(uint32_t seed = 1) : state(seed) {}

  int next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
  }
  // Uniform in [0, 1) with 30 bits of resolution (two draws).
  double uniform() {
    const int high = next();
    const int low = next();
    return (high * 32768.0 + low) / (32768.0 * 32768.0);
  }
  double range(double low, double high) { return low + (high - low) * uniform(); }
  // Fast white noise in [-1, 1) from a single draw, for audio.
  float noise() { return next() * (2.0f / 32768.0f) - 1.0f; }
};

}  // namespace showgen
