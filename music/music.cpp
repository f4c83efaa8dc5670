#include "music/music.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "pack/pack.h"
#include "platform/audio_playback.h"
#include "platform/audio_spectrum.h"
#include "platform/audio_track.h"

namespace {

struct Music {
  bool started = false;
  AudioTrackHandle track;
  AudioPlaybackHandle playback;  // none offline
  int64_t offlineFrame = 0;
};

Music music;
SpectrumSource spectrumSource = nullptr;

int64_t playPosition() {
  return music.playback ? playbackFrame(*music.playback) : music.offlineFrame;
}

void startPlayback() {
  std::string deviceError;
  music.playback = openAudioPlayback(*music.track, deviceError);
  if (!playbackIsAudible(*music.playback))
    fprintf(stderr, "velmira: no sound device (%s); the show runs silent\n", deviceError.c_str());
  pauseAudioPlayback(*music.playback, false);
}

}  // namespace

bool startMusic(MusicOutput output) {
  stopMusic();
  std::vector<uint8_t> mp3;
  const int found = loadFile(kMusicFileName, mp3);
  if (found == kLoadMissing || mp3.empty()) {
    // An empty pack entry and no entry read alike; an empty file is a file.
    fprintf(stderr, "velmira: the music file %s %s; the show runs silent\n", kMusicFileName,
            found == kLoadFromDisk ? "is empty" : "was not found");
    music.started = true;
    return true;
  }
  return startMusicFromData(std::move(mp3), output);
}

bool startMusicFromData(std::vector<uint8_t> mp3, MusicOutput output) {
  stopMusic();
  std::string error;
  music.track = openAudioTrack(std::move(mp3), error);
  if (!music.track) {
    fprintf(stderr, "velmira: the music cannot be played: %s\n", error.c_str());
    return false;
  }
  music.started = true;
  music.offlineFrame = 0;
  if (output == MusicOutput::Speakers) startPlayback();
  return true;
}

int64_t musicPositionMs(float timeSeconds) {
  // Computed in extended precision and truncated toward zero. The track has
  // no position before its start; positions are 32-bit milliseconds.
  const long double ms = std::trunc(static_cast<long double>(timeSeconds) * 1000.0L);
  if (!(ms > 0)) return 0;
  return int64_t(std::min(ms, 4294967295.0L));
}

void repositionMusic(float timeSeconds) {
  if (!music.track) return;
  const int64_t frame = trackFrameAtMs(musicPositionMs(timeSeconds), trackFormat(*music.track).rate);
  if (music.playback)
    seekAudioPlayback(*music.playback, frame);
  else
    music.offlineFrame = frame;
}

void pauseMusic(bool paused) {
  if (music.playback) pauseAudioPlayback(*music.playback, paused);
}

void stopMusic() {
  music.playback.reset();
  music.track.reset();
  music.started = false;
}

void setSpectrumSource(SpectrumSource source) { spectrumSource = source; }

void getSpectrum(float* values, int channelOffset) {
  if (spectrumSource) return spectrumSource(values, channelOffset);
  if (!music.started) return;
  if (!music.track) {
    std::fill_n(values, kSpectrumBins, 0.0f);
    return;
  }
  trackSpectrum(*music.track, playPosition(), channelOffset, values);
}

bool readMusicStretch(float fromSeconds, double seconds, std::vector<float>& samples, int& rate,
                      int& channels) {
  if (!music.track) return false;
  const AudioFormat format = trackFormat(*music.track);
  rate = format.rate;
  channels = format.channels;
  const int64_t frameCount = std::llround(std::max(seconds, 0.0) * rate);
  const int64_t first = trackFrameAtMs(musicPositionMs(fromSeconds), rate);
  samples.assign(size_t(frameCount) * size_t(channels), 0.0f);
  constexpr int kChunk = 65536;
  for (int64_t done = 0; done < frameCount; done += kChunk) {
    const int count = int(std::min<int64_t>(kChunk, frameCount - done));
    readTrackFrames(*music.track, first + done, count, samples.data() + done * channels,
                    TrackRead::WaitForDecoder);
  }
  return true;
}

double musicLengthSeconds() {
  if (!music.track) return 0.0;
  waitForDecoder(*music.track, INT64_MAX);
  const int rate = trackFormat(*music.track).rate;
  return rate > 0 ? double(decodedFrames(*music.track)) / rate : 0.0;
}
