// The spectrum history against a direct model: the four-bin smoothing, the
// running average and the loudness followed over several steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "effects/spectrum_history.h"
#include "music/music.h"

namespace {

// A spectrum with a different value in every bin, so a wrong neighbour or
// weight shows.
float rawBin(int step, int j) { return 0.001f * float((j * 37 + step * 11) % 101) + 0.0001f * j; }

TEST(SpectrumHistory, FollowsTheSmoothedSpectrumAndTheLoudness) {
  SpectrumHistory history;
  std::vector<double> average(kSpectrumBins, 0.0), smoothed(kSmoothedBins);
  double loudness = 0.0;
  for (int step = 0; step < 5; ++step) {
    for (int j = 0; j < kSpectrumBins; ++j) history.raw[j] = rawBin(step, j);
    advanceSpectrumHistory(history);
    double sum = 0.0;
    for (int j = 0; j < kSmoothedBins; ++j) {
      smoothed[j] = (rawBin(step, j) + rawBin(step, j + 3)) / 6.0 +
                    (rawBin(step, j + 1) + rawBin(step, j + 2)) / 3.0;
      average[j] += (smoothed[j] - average[j]) * 0.025;
      if (j < 1024) sum += smoothed[j];
    }
    loudness += (sum - loudness) * 0.02;
  }
  for (int j : {0, 1, 500, 1023, 1024, 2039}) {
    EXPECT_NEAR(history.smoothed[j], smoothed[j], 1e-6) << j;
    EXPECT_NEAR(history.average[j], average[j], 1e-6) << j;
  }
  // The top bins have no smoothed value and never move.
  for (int j = kSmoothedBins; j < kSpectrumBins; ++j) EXPECT_EQ(history.average[j], 0.0f) << j;
  EXPECT_NEAR(history.loudness, loudness, 1e-3 * loudness);
}

TEST(SpectrumHistory, BinLookupStaysInsideTheSpectrum) {
  std::array<float, kSpectrumBins> bins{};
  for (int j = 0; j < kSpectrumBins; ++j) bins[j] = float(j);
  EXPECT_EQ(spectrumAt(bins, 1024.9), 1024.0f);
  EXPECT_EQ(spectrumAt(bins, -3.5), 0.0f);
  EXPECT_EQ(spectrumAt(bins, std::nan("")), 0.0f);
  EXPECT_EQ(spectrumAt(bins, 1e12), 2047.0f);
}

void loudSpectrum(float* values, int) { std::fill(values, values + kSpectrumBins, 0.5f); }
// Music that is off writes nothing.
void silentMusic(float*, int) {}

TEST(SpectrumHistory, MusicThatWritesNothingReadsAsSilence) {
  SpectrumHistory history;
  setSpectrumSource(loudSpectrum);
  updateSpectrumHistory(history);
  EXPECT_EQ(history.raw[100], 0.5f);
  setSpectrumSource(silentMusic);
  updateSpectrumHistory(history);
  setSpectrumSource(nullptr);
  EXPECT_EQ(history.raw[100], 0.0f);
  EXPECT_EQ(history.smoothed[100], 0.0f);
  EXPECT_NEAR(history.average[100], 0.5f * 0.025f * 0.975f, 1e-6);
}

}  // namespace
