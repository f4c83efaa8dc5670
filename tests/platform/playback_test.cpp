#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "support/signals.h"
#include "platform/audio_playback.h"
#include "platform/audio_spectrum.h"
#include "platform/audio_track.h"

#if VELMIRA_HAVE_LAME
namespace {

constexpr int kRate = 48000;

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::vector<uint8_t> chord(int seconds) {
  return encodeMp3(makeSignal(seconds * kRate, 2,
                              [](int n, int c) {
                                return binSine(60 + 7 * c, n, 0.4f) + binSine(500, n, 0.3f);
                              }),
                   kRate, 2, 192);
}

struct PlaybackTest : testing::Test {
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    mp3 = chord(6);
    std::string error;
    track = openAudioTrack(mp3, error);
    ASSERT_NE(track, nullptr) << error;
  }
  std::vector<uint8_t> mp3;
  AudioTrackHandle track;
};

TEST_F(PlaybackTest, PlayingMovesThePositionAndPausingHoldsIt) {
  std::string error;
  AudioPlaybackHandle playback = openAudioPlayback(*track, error);
  EXPECT_TRUE(playbackIsAudible(*playback)) << error;
  seekAudioPlayback(*playback, kRate);
  EXPECT_EQ(playbackFrame(*playback), kRate);
  pauseAudioPlayback(*playback, false);
  sleepMs(300);
  pauseAudioPlayback(*playback, true);
  const int64_t held = playbackFrame(*playback);
  EXPECT_GT(held, kRate + kRate / 20);
  EXPECT_LT(held, kRate + 2 * kRate);
  sleepMs(60);
  EXPECT_EQ(playbackFrame(*playback), held);
  pauseAudioPlayback(*playback, false);
  sleepMs(100);
  EXPECT_GE(playbackFrame(*playback), held);
}

TEST_F(PlaybackTest, SeekingGivesTheSameSpectrumAsPlayingThere) {
  std::string error;
  AudioPlaybackHandle played = openAudioPlayback(*track, error);
  pauseAudioPlayback(*played, false);
  sleepMs(250);
  pauseAudioPlayback(*played, true);
  const int64_t reached = playbackFrame(*played);
  std::vector<float> afterPlaying(kSpectrumBins);
  trackSpectrum(*track, reached, 1, afterPlaying.data());

  // A fresh track, still decoding, jumped straight to the same frame.
  AudioTrackHandle fresh = openAudioTrack(mp3, error);
  ASSERT_NE(fresh, nullptr);
  AudioPlaybackHandle jumped = openAudioPlayback(*fresh, error);
  seekAudioPlayback(*jumped, reached);
  std::vector<float> afterSeeking(kSpectrumBins);
  trackSpectrum(*fresh, playbackFrame(*jumped), 1, afterSeeking.data());
  EXPECT_EQ(afterSeeking, afterPlaying);
  EXPECT_GT(afterPlaying[67], 0.1f);
}

TEST_F(PlaybackTest, WithoutASoundDeviceThePositionRunsOnTheClock) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  std::string error;
  AudioPlaybackHandle playback = openAudioPlayback(*track, error);
  EXPECT_FALSE(playbackIsAudible(*playback));
  EXPECT_FALSE(error.empty());
  seekAudioPlayback(*playback, 1000);
  pauseAudioPlayback(*playback, false);
  sleepMs(100);
  const int64_t frame = playbackFrame(*playback);
  EXPECT_GE(frame, 1000 + kRate / 10);
  EXPECT_LT(frame, 1000 + 2 * kRate);
}

}  // namespace
#endif
