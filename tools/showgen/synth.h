// Sound building blocks for the soundtrack: band-limited oscillators, a
// state-variable filter, envelopes, a ping-pong delay and a plate-like reverb.
// Everything runs at 48 kHz on float samples.
#pragma once

#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

#include "gfx/math.h"

namespace showgen {

constexpr int kSampleRate = 48000;

inline float midiToHz(float pitch) { return 440.0f * std::exp2((pitch - 69.0f) / 12.0f); }
inline float centsToRatio(float cents) { return std::exp2(cents / 1200.0f); }

struct StereoBuffer {
  std::vector<float> left, right;
  explicit StereoBuffer(size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
  size_t frames() const { return left.size(); }
};

// Sawtooth with a polynomial band-limited step, so high notes do not alias.
struct SawOscillator {
  float phase = 0;
  float increment = 0;

  void setFrequency(float hz) { increment = hz / kSampleRate; }
  static float blep(float t, float dt) {
    if (t < dt) {
      t /= dt;
      return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
      t = (t - 1.0f) / dt;
      return t * t + t + t + 1.0f;
    }
    return 0.0f;
  }
  float next() {
    const float value = 2.0f * phase - 1.0f - blep(phase, increment);
    phase += increment;
    if (phase >= 1.0f) phase -= 1.0f;
    return value;
  }
};

struct SineOscillator {
  float phase = 0;
  float increment = 0;
  void setFrequency(float hz) { increment = hz / kSampleRate; }
  float next(float phaseOffset = 0) {
    const float value = std::sin(kTwoPi * (phase + phaseOffset));
    phase += increment;
    if (phase >= 1.0f) phase -= 1.0f;
    return value;
  }
};

// Trapezoidal state-variable filter: low, band and high pass at once, stable
// while its cutoff moves.
struct StateVariableFilter {
  float ic1 = 0, ic2 = 0;
  float a1 = 0, a2 = 0, a3 = 0, k = 1;
  struct Outputs {
    float low, band, high;
  };

  // resonance 0..1 (1 rings); cutoff is clamped below Nyquist.
  void set(float cutoffHz, float resonance) {
    const float limited = std::fmin(cutoffHz, 0.45f * kSampleRate);
    const float g = std::tan(std::numbers::pi_v<float> * limited / kSampleRate);
    k = 2.0f - 1.9f * resonance;
    a1 = 1.0f / (1.0f + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
  }
  Outputs process(float x) {
    const float v3 = x - ic2;
    const float v1 = a1 * ic1 + a2 * v3;
    const float v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0f * v1 - ic1;
    ic2 = 2.0f * v2 - ic2;
    return {v2, v1, x - k * v1 - v2};
  }
};

// 0 below 0, 1 above 1, smooth between.
inline float smoothstepUnit(float x) {
  const float t = x < 0 ? 0 : (x > 1 ? 1 : x);
  return t * t * (3 - 2 * t);
}

// Attack, hold at full level until `release` starts, then exponential decay
// with time constant `releaseTime`.
inline float attackRelease(float t, float attack, float releaseStart, float releaseTime) {
  const float rise = t < attack ? t / attack : 1.0f;
  return t < releaseStart ? rise : rise * std::exp(-(t - releaseStart) / releaseTime);
}

// A short fade over the last few milliseconds of a rendered note, so cutting
// it off makes no click.
inline float tailFade(size_t index, size_t count) {
  constexpr size_t kFade = 240;
  const size_t left = count - index;
  return left < kFade ? static_cast<float>(left) / kFade : 1.0f;
}

// Stereo ping-pong echo with a darkening feedback path.
void applyPingPongDelay(const std::vector<float>& send, StereoBuffer& out, size_t delayFrames,
                        float feedback, float wet);

// Dense stereo reverb (parallel damped combs into series all-passes) fed from
// a mono send.
void applyReverb(const std::vector<float>& send, StereoBuffer& out, float roomSize, float damping,
                 float wet);

}  // namespace showgen
