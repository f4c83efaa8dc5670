// The music's spectrum as the music-driven tubes follow it: the raw spectrum
// of the moment, a smoothed copy (each bin blended with its three upper
// neighbours), a slow running average of the smoothed bins and the running
// loudness (the sum of the lower half of the smoothed bins, followed slowly).
//
// Each kind keeps one history for the whole run; nothing resets it, so a
// second run of a kind continues from where the first left it. With the music
// off the raw spectrum reads as silence (zeros).
//
// Needs: the music's spectrum (music/music.h, which also gives kSpectrumBins).
#pragma once

#include <array>

#include "music/music.h"

// The smoothing reads three bins ahead, so the last bins have no smoothed value.
inline constexpr int kSmoothedBins = 2040;
// The lower bins summed into the loudness.
inline constexpr int kLoudnessBins = 1024;

inline constexpr float kAverageFollowRate = 0.025f;
inline constexpr float kLoudnessFollowRate = 0.02f;

struct SpectrumHistory {
  std::array<float, kSpectrumBins> raw{};
  std::array<float, kSmoothedBins> smoothed{};
  // Only the first kSmoothedBins entries ever move; the rest stay zero.
  std::array<float, kSpectrumBins> average{};
  float loudness = 0.0f;
};

// Takes the spectrum at the music's play position and advances the history
// by one step.
void updateSpectrumHistory(SpectrumHistory& history);

// Advances the history by one step from a raw spectrum already in history.raw.
void advanceSpectrumHistory(SpectrumHistory& history);

// The entry of `bins` at `bin` truncated toward zero and clamped to the bins
// that exist: below 0 (and not-a-number) bin 0, far past the end the last bin.
float spectrumAt(const std::array<float, kSpectrumBins>& bins, double bin);
