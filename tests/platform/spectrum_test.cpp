#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/signals.h"
#include "platform/audio_spectrum.h"

namespace {

std::vector<float> spectrumOf(const std::vector<float>& pcm, int channels, int channel) {
  std::vector<float> values(kSpectrumBins, -1.0f);
  computeSpectrum(pcm.data(), channels, channel, values.data());
  return values;
}

TEST(Spectrum, FullScaleSineAtBinCentreReadsFiveEighthsThere) {
  for (int bin : {1, 100, 1000, 2046}) {
    for (double phase : {0.0, 0.7, 2.0}) {
      const auto pcm = makeSignal(kSpectrumWindowFrames, 1,
                                  [&](int n, int) { return binSine(bin, n, 1.0f, phase); });
      const auto values = spectrumOf(pcm, 1, 0);
      EXPECT_NEAR(values[bin], 0.625f, 1e-4f) << "bin " << bin << " phase " << phase;
      EXPECT_EQ(std::max_element(values.begin(), values.end()) - values.begin(), bin);
      // The Hann window spreads half the height into each neighbour, no further.
      if (bin > 1) {
        EXPECT_NEAR(values[bin - 1], 0.3125f, 1e-4f);
      }
      if (bin < 2046) {
        EXPECT_NEAR(values[bin + 1], 0.3125f, 1e-4f);
      }
      for (int k = 0; k < bin - 1; ++k) ASSERT_LT(values[k], 1e-4f) << k;
      for (int k = bin + 2; k < kSpectrumBins; ++k) ASSERT_LT(values[k], 1e-4f) << k;
    }
  }
}

TEST(Spectrum, ScalesWithAmplitudeAndClampsAtOne) {
  const auto half = makeSignal(kSpectrumWindowFrames, 1, [](int n, int) { return binSine(50, n, 0.5f); });
  EXPECT_NEAR(spectrumOf(half, 1, 0)[50], 0.3125f, 1e-4f);
  // A constant 1 gives |X[0]| = 2048, which would read 1.25.
  const auto dc = makeSignal(kSpectrumWindowFrames, 1, [](int, int) { return 1.0f; });
  const auto values = spectrumOf(dc, 1, 0);
  EXPECT_EQ(values[0], 1.0f);
  EXPECT_NEAR(values[1], 0.625f, 1e-4f);
}

TEST(Spectrum, SilenceReadsZeroAndTheLastBinIsAlwaysZero) {
  const std::vector<float> silence(kSpectrumWindowFrames * 2, 0.0f);
  for (float value : spectrumOf(silence, 2, 1)) ASSERT_EQ(value, 0.0f);
  const auto top = makeSignal(kSpectrumWindowFrames, 1, [](int n, int) { return binSine(2047, n); });
  const auto values = spectrumOf(top, 1, 0);
  EXPECT_EQ(values[kSpectrumBins - 1], 0.0f);
  EXPECT_NEAR(values[kSpectrumBins - 2], 0.3125f, 1e-4f);
}

TEST(Spectrum, ReadsOnlyTheAskedChannel) {
  const auto stereo = makeSignal(kSpectrumWindowFrames, 2,
                                 [](int n, int c) { return c == 1 ? binSine(300, n) : 0.0f; });
  for (float value : spectrumOf(stereo, 2, 0)) ASSERT_EQ(value, 0.0f);
  EXPECT_NEAR(spectrumOf(stereo, 2, 1)[300], 0.625f, 1e-4f);
  for (int outside : {-1, 2})
    for (float value : spectrumOf(stereo, 2, outside)) ASSERT_EQ(value, 0.0f);
}

}  // namespace
