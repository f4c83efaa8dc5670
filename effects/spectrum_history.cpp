#include "effects/spectrum_history.h"

void updateSpectrumHistory(SpectrumHistory& history) {
  // The music writes nothing while it is off; the zeros then stand for silence
  // instead of the last spectrum heard.
  history.raw.fill(0.0f);
  getSpectrum(history.raw.data(), 0);
  advanceSpectrumHistory(history);
}

void advanceSpectrumHistory(SpectrumHistory& history) {
  const auto& raw = history.raw;
  float loudness = 0.0f;
  for (int j = 0; j < kSmoothedBins; ++j) {
    const float smoothed = (raw[j] + raw[j + 3]) / 6.0f + (raw[j + 1] + raw[j + 2]) / 3.0f;
    history.smoothed[j] = smoothed;
    history.average[j] += (smoothed - history.average[j]) * kAverageFollowRate;
    if (j < kLoudnessBins) loudness += smoothed;
  }
  history.loudness += (loudness - history.loudness) * kLoudnessFollowRate;
}

float spectrumAt(const std::array<float, kSpectrumBins>& bins, double bin) {
  // Saturates instead of wrapping: a bin far past the end reads the last bin.
  if (!(bin >= 1.0)) return bins[0];
  if (bin >= kSpectrumBins - 1) return bins[kSpectrumBins - 1];
  return bins[static_cast<int>(bin)];
}
