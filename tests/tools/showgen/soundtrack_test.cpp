// The soundtrack decoded through the engine's audio path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/audio_track.h"
#include "tools/showgen/soundtrack.h"

namespace {

struct DecodedSong {
  AudioFormat format;
  std::vector<float> mono;  // (left + right) / 2
  float peak = 0;
};

DecodedSong decodeSong(const std::vector<uint8_t>& mp3) {
  std::string error;
  AudioTrackHandle track = openAudioTrack(mp3, error);
  EXPECT_TRUE(track) << error;
  DecodedSong song;
  if (!track) return song;
  waitForDecoder(*track, INT64_MAX);
  song.format = trackFormat(*track);
  const int64_t frames = decodedFrames(*track);
  std::vector<float> interleaved(static_cast<size_t>(frames) * 2);
  readTrackFrames(*track, 0, static_cast<int>(frames), interleaved.data(), TrackRead::WaitForDecoder);
  song.mono.resize(static_cast<size_t>(frames));
  for (int64_t i = 0; i < frames; ++i) {
    const float left = interleaved[2 * i], right = interleaved[2 * i + 1];
    song.mono[i] = 0.5f * (left + right);
    song.peak = std::max({song.peak, std::fabs(left), std::fabs(right)});
  }
  return song;
}

// Energy below about 120 Hz in 10 ms steps over [from, to) seconds.
std::vector<double> lowBandEnergy(const std::vector<float>& samples, double from, double to) {
  const double a = 1.0 - std::exp(-2.0 * 3.14159265358979 * 120.0 / 48000.0);
  double stage1 = 0, stage2 = 0;
  std::vector<double> energy;
  for (size_t i = static_cast<size_t>(from * 48000); i + 480 <= static_cast<size_t>(to * 48000);) {
    double sum = 0;
    for (int k = 0; k < 480; ++k, ++i) {
      stage1 += a * (samples[i] - stage1);
      stage2 += a * (stage1 - stage2);
      sum += stage2 * stage2;
    }
    energy.push_back(sum);
  }
  return energy;
}

double autocorrelation(std::vector<double> series, size_t lag) {
  double mean = 0;
  for (double v : series) mean += v;
  mean /= static_cast<double>(series.size());
  double power = 0, product = 0;
  for (double& v : series) v -= mean;
  for (size_t i = 0; i < series.size(); ++i) power += series[i] * series[i];
  for (size_t i = 0; i + lag < series.size(); ++i) product += series[i] * series[i + lag];
  return product / power;
}

double meanOf(const std::vector<double>& values) {
  double sum = 0;
  for (double v : values) sum += v;
  return sum / static_cast<double>(values.size());
}

// One test so the track is made only twice: the second run must give the
// same bytes, and the decoded first run is then measured.
TEST(Soundtrack, IsReproducibleAndKeepsTheShowsTimingAndLevel) {
  const showgen::GeneratedFiles first = showgen::generateSoundtrack();
  const showgen::GeneratedFiles second = showgen::generateSoundtrack();
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].path, "quarno/velmira.mp3");
  EXPECT_TRUE(first[0].bytes == second[0].bytes);

  const DecodedSong song = decodeSong(first[0].bytes);
  EXPECT_EQ(song.format.rate, 48000);
  EXPECT_EQ(song.format.channels, 2);
  EXPECT_NEAR(song.mono.size() / 48000.0, 140.0, 0.05);
  EXPECT_LE(20 * std::log10(song.peak), -1.0);
  EXPECT_GE(20 * std::log10(song.peak), -3.0);
  ASSERT_GE(song.mono.size(), 140u * 48000u - 2400u);

  // The kick on every beat of the groove: the low band's energy repeats every
  // 0.5 s (50 steps) and is out of step half a beat later.
  const std::vector<double> groove = lowBandEnergy(song.mono, 32, 64);
  const double onBeat = autocorrelation(groove, 50);
  EXPECT_GT(onBeat, 0.6);
  EXPECT_GT(onBeat, autocorrelation(groove, 25) + 0.5);
  EXPECT_GT(onBeat, autocorrelation(groove, 40));
  EXPECT_GT(onBeat, autocorrelation(groove, 60));

  // No kick in the intro: its low band holds a small part of the groove's.
  EXPECT_LT(meanOf(lowBandEnergy(song.mono, 0, 16)), 0.1 * meanOf(groove));
  // The fade ends in silence.
  float tail = 0;
  for (size_t i = song.mono.size() - 480; i < song.mono.size(); ++i) tail = std::max(tail, std::fabs(song.mono[i]));
  EXPECT_LT(tail, 0.01f);
}

}  // namespace
