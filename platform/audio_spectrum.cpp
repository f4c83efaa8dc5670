#include "platform/audio_spectrum.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "platform/audio_track.h"

namespace {

using Window = std::array<float, kSpectrumWindowFrames>;

const Window& hannWindow() {
  static const Window window = [] {
    Window w;
    for (int n = 0; n < kSpectrumWindowFrames; ++n)
      w[n] = float(0.5 * (1.0 - std::cos(2.0 * std::numbers::pi * n / kSpectrumWindowFrames)));
    return w;
  }();
  return window;
}

struct FftPlanFree {
  void operator()(kiss_fftr_state* plan) const { kiss_fftr_free(plan); }
};

// A plan carries scratch space, so every thread that analyses gets its own.
kiss_fftr_cfg fftPlan() {
  thread_local std::unique_ptr<kiss_fftr_state, FftPlanFree> plan(
      kiss_fftr_alloc(kSpectrumWindowFrames, 0, nullptr, nullptr));
  return plan.get();
}

}  // namespace

void computeSpectrum(const float* frames, int channels, int channel, float* values) {
  if (channel < 0 || channel >= channels) {
    std::fill_n(values, kSpectrumBins, 0.0f);
    return;
  }
  const Window& window = hannWindow();
  std::array<kiss_fft_scalar, kSpectrumWindowFrames> windowed;
  for (int n = 0; n < kSpectrumWindowFrames; ++n)
    windowed[n] = frames[size_t(n) * channels + channel] * window[n];
  std::array<kiss_fft_cpx, kSpectrumBins + 1> bins;
  kiss_fftr(fftPlan(), windowed.data(), bins.data());
  const float scale = 2.5f / kSpectrumWindowFrames;
  for (int k = 0; k < kSpectrumBins - 1; ++k)
    values[k] = std::min(1.0f, scale * std::hypot(bins[k].r, bins[k].i));
  values[kSpectrumBins - 1] = 0.0f;
}

void trackSpectrum(AudioTrack& track, int64_t endFrame, int channel, float* values) {
  const int channels = trackFormat(track).channels;
  if (channels <= 0) {
    std::fill_n(values, kSpectrumBins, 0.0f);
    return;
  }
  std::vector<float> frames(size_t(kSpectrumWindowFrames) * channels);
  readTrackFrames(track, endFrame - kSpectrumWindowFrames, kSpectrumWindowFrames, frames.data(),
                  TrackRead::WaitForDecoder);
  computeSpectrum(frames.data(), channels, channel, values);
}
