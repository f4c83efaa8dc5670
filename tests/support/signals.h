// Test signals for the music tests: generated PCM and, where libmp3lame is
// available, the same PCM encoded as MP3.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

// Interleaved frames; `sample(frame, channel)` gives each value.
inline std::vector<float> makeSignal(int frames, int channels,
                                     const std::function<float(int, int)>& sample) {
  std::vector<float> pcm(size_t(frames) * channels);
  for (int n = 0; n < frames; ++n)
    for (int c = 0; c < channels; ++c) pcm[size_t(n) * channels + c] = sample(n, c);
  return pcm;
}

// A sine whose frequency sits at the centre of spectrum bin `bin`.
inline float binSine(int bin, int frame, float amplitude = 1.0f, double phase = 0.0) {
  return amplitude * float(std::sin(2.0 * std::numbers::pi * bin * frame / 4096.0 + phase));
}

#if __has_include(<lame.h>)
#define VELMIRA_HAVE_LAME 1
std::vector<uint8_t> encodeMp3(const std::vector<float>& pcm, int rate, int channels, int kbps);
#endif
