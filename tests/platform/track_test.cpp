#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/signals.h"
#include "platform/audio_spectrum.h"
#include "platform/audio_track.h"

namespace {

TEST(AudioTrack, RefusesBytesThatHoldNoMp3Stream) {
  std::string error;
  EXPECT_EQ(openAudioTrack({}, error), nullptr);
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_EQ(openAudioTrack(std::vector<uint8_t>(20000, 0x5A), error), nullptr);
  EXPECT_FALSE(error.empty());
}

#if VELMIRA_HAVE_LAME

constexpr int kRate = 48000;

// Two channels of different tones, so a channel mix-up or an offset shows.
float testTone(int n, int c) {
  const double t = double(n) / kRate;
  return c == 0 ? float(0.4 * std::sin(2 * std::numbers::pi * 440.0 * t) +
                        0.2 * std::sin(2 * std::numbers::pi * 1234.5 * t))
                : float(0.5 * std::sin(2 * std::numbers::pi * 660.0 * t + 1.0));
}

AudioTrackHandle openOrFail(const std::vector<uint8_t>& mp3) {
  std::string error;
  AudioTrackHandle track = openAudioTrack(mp3, error);
  EXPECT_NE(track, nullptr) << error;
  return track;
}

std::vector<float> decodeAll(AudioTrack& track) {
  waitForDecoder(track, INT64_MAX);
  const int channels = trackFormat(track).channels;
  std::vector<float> pcm(size_t(decodedFrames(track)) * channels);
  readTrackFrames(track, 0, int(decodedFrames(track)), pcm.data(), TrackRead::WaitForDecoder);
  return pcm;
}

double rmsError(const std::vector<float>& a, const std::vector<float>& b, int channels, int lag) {
  double sum = 0;
  size_t count = 0;
  const int frames = int(a.size()) / channels;
  for (int n = 2000; n < frames - 2000; ++n)
    for (int c = 0; c < channels; ++c) {
      const double d = a[size_t(n) * channels + c] - b[size_t(n + lag) * channels + c];
      sum += d * d;
      ++count;
    }
  return std::sqrt(sum / double(count));
}

TEST(AudioTrack, DecodesEveryFrameAtItsOwnPosition) {
  const int frames = 3 * kRate;
  const auto source = makeSignal(frames, 2, testTone);
  AudioTrackHandle track = openOrFail(encodeMp3(source, kRate, 2, 320));
  ASSERT_NE(track, nullptr);
  EXPECT_EQ(trackFormat(*track).rate, kRate);
  EXPECT_EQ(trackFormat(*track).channels, 2);
  const auto decoded = decodeAll(*track);
  EXPECT_TRUE(decodingFinished(*track));
  // The encoder's delay and padding are trimmed: positions are sample-exact.
  ASSERT_EQ(decoded.size(), source.size());
  const double aligned = rmsError(source, decoded, 2, 0);
  EXPECT_LT(aligned, 0.01);
  for (int lag : {-2, -1, 1, 2}) EXPECT_GT(rmsError(source, decoded, 2, lag), aligned * 2) << lag;
}

TEST(AudioTrack, MonoAndOtherRatesKeepTheirShape) {
  const auto source = makeSignal(44100, 1, [](int n, int) { return binSine(200, n, 0.5f); });
  AudioTrackHandle track = openOrFail(encodeMp3(source, 44100, 1, 128));
  ASSERT_NE(track, nullptr);
  EXPECT_EQ(trackFormat(*track).rate, 44100);
  EXPECT_EQ(trackFormat(*track).channels, 1);
  EXPECT_EQ(decodeAll(*track).size(), source.size());
}

TEST(AudioTrack, SpectrumOfAnEncodedSineAtABinCentre) {
  // A full-scale sine: at 320 kbit/s the encoder keeps its level.
  const auto source = makeSignal(2 * kRate, 2, [](int n, int) { return binSine(100, n); });
  AudioTrackHandle track = openOrFail(encodeMp3(source, kRate, 2, 320));
  ASSERT_NE(track, nullptr);
  std::vector<float> values(kSpectrumBins);
  trackSpectrum(*track, kRate, 0, values.data());
  EXPECT_NEAR(values[100], 0.625f, 0.005f);
  EXPECT_EQ(std::max_element(values.begin(), values.end()) - values.begin(), 100);
  // Before the start and after the end there is only silence.
  for (int64_t end : {int64_t(0), int64_t(-5000), int64_t(2 * kRate + kSpectrumWindowFrames)}) {
    trackSpectrum(*track, end, 0, values.data());
    for (float value : values) ASSERT_EQ(value, 0.0f) << end;
  }
}

TEST(AudioTrack, AnalysisAheadOfTheDecoderWaitsForTheRealSamples) {
  const auto source = makeSignal(20 * kRate, 2, testTone);
  const auto mp3 = encodeMp3(source, kRate, 2, 192);
  const int64_t late = 19 * kRate + 123;
  std::vector<float> early(kSpectrumBins), settled(kSpectrumBins);
  {
    AudioTrackHandle track = openOrFail(mp3);
    ASSERT_NE(track, nullptr);
    trackSpectrum(*track, late, 1, early.data());
  }
  AudioTrackHandle track = openOrFail(mp3);
  ASSERT_NE(track, nullptr);
  waitForDecoder(*track, INT64_MAX);
  trackSpectrum(*track, late, 1, settled.data());
  EXPECT_EQ(early, settled);
  EXPECT_GT(*std::max_element(settled.begin(), settled.end()), 0.2f);
}

TEST(AudioTrack, ClosingWhileDecodingStopsTheDecoder) {
  const auto mp3 = encodeMp3(makeSignal(30 * kRate, 2, testTone), kRate, 2, 192);
  std::string error;
  for (int i = 0; i < 5; ++i) ASSERT_NE(openAudioTrack(mp3, error), nullptr) << error;
}

#endif

}  // namespace
