#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "music/music.h"
#include "support/signals.h"
#include "platform/audio_spectrum.h"
#include "platform/audio_track.h"
#include "support/temp_dir.h"

namespace {

constexpr float kUntouched = -7.0f;

std::vector<float> spectrumNow(int channelOffset = 0) {
  std::vector<float> values(kSpectrumBins, kUntouched);
  getSpectrum(values.data(), channelOffset);
  return values;
}

bool untouched(const std::vector<float>& values) {
  for (float value : values)
    if (value != kUntouched) return false;
  return true;
}

bool silent(const std::vector<float>& values) {
  for (float value : values)
    if (value != 0.0f) return false;
  return true;
}

TEST(Music, PositionIsTheShowTimeInWholeMilliseconds) {
  EXPECT_EQ(musicPositionMs(0.0f), 0);
  EXPECT_EQ(musicPositionMs(30.5f), 30500);
  EXPECT_EQ(musicPositionMs(10.0f), 10000);
  // 2.3f is a little below 2.3: the product is truncated, not rounded.
  EXPECT_EQ(musicPositionMs(2.3f), 2299);
  EXPECT_EQ(musicPositionMs(-1.0f), 0);
}

TEST(Music, NotStartedWritesNothing) {
  EXPECT_TRUE(untouched(spectrumNow()));
  repositionMusic(3.0f);
  pauseMusic(true);
  EXPECT_TRUE(untouched(spectrumNow()));
}

TEST(Music, MissingFileRunsSilent) {
  TempDir directory;
  testing::internal::CaptureStderr();
  EXPECT_TRUE(startMusic(MusicOutput::Offline));
  const std::string messages = testing::internal::GetCapturedStderr();
  EXPECT_NE(messages.find("./quarno/velmira.mp3"), std::string::npos) << messages;
  repositionMusic(1.0f);
  EXPECT_TRUE(silent(spectrumNow()));
  stopMusic();
  EXPECT_TRUE(untouched(spectrumNow()));
}

TEST(Music, DataThatIsNoMp3EndsStartUp) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(startMusicFromData(std::vector<uint8_t>(5000, 0x11), MusicOutput::Offline));
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(untouched(spectrumNow()));
}

#if VELMIRA_HAVE_LAME

constexpr int kRate = 48000;

std::vector<uint8_t> steppedTones() {
  // Bin 100 for the first two seconds, bin 400 after.
  return encodeMp3(makeSignal(4 * kRate, 2,
                              [](int n, int) { return binSine(n < 2 * kRate ? 100 : 400, n, 0.9f); }),
                   kRate, 2, 320);
}

int peakBin(const std::vector<float>& values) {
  return int(std::max_element(values.begin(), values.end()) - values.begin());
}

TEST(Music, OfflineSpectrumFollowsRepositioning) {
  const auto mp3 = steppedTones();
  ASSERT_TRUE(startMusicFromData(mp3, MusicOutput::Offline));
  repositionMusic(1.5f);
  const auto first = spectrumNow();
  EXPECT_EQ(peakBin(first), 100);
  EXPECT_NEAR(first[100], 0.625f * 0.9f, 0.005f);
  repositionMusic(3.5f);
  EXPECT_EQ(peakBin(spectrumNow()), 400);
  repositionMusic(1.5f);
  EXPECT_EQ(spectrumNow(), first);
  // The same as the track's own analysis at that millisecond's frame.
  std::string error;
  AudioTrackHandle track = openAudioTrack(mp3, error);
  ASSERT_NE(track, nullptr);
  std::vector<float> direct(kSpectrumBins);
  trackSpectrum(*track, trackFrameAtMs(1500, kRate), 0, direct.data());
  EXPECT_EQ(direct, first);
  stopMusic();
}

TEST(Music, PlaysThroughTheSoundCardAndFollowsJumps) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  ASSERT_TRUE(startMusicFromData(steppedTones(), MusicOutput::Speakers));
  repositionMusic(1.0f);
  pauseMusic(true);
  EXPECT_EQ(peakBin(spectrumNow()), 100);
  repositionMusic(3.0f);
  const auto paused = spectrumNow();
  EXPECT_EQ(peakBin(paused), 400);
  EXPECT_EQ(spectrumNow(), paused);
  pauseMusic(false);
  EXPECT_EQ(peakBin(spectrumNow()), 400);
  stopMusic();
  EXPECT_TRUE(untouched(spectrumNow()));
}

#endif

}  // namespace
