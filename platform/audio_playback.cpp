#include "platform/audio_playback.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <mutex>

#include "platform/audio_driver_messages.h"
#include "platform/audio_track.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

// Frames per block the card asks for: about 21 ms at 48 kHz.
constexpr Uint16 kCardBlockFrames = 1024;

}  // namespace

struct AudioPlayback {
  AudioTrack* track = nullptr;
  AudioFormat format;
  SDL_AudioDeviceID device = 0;
  bool audioInitialised = false;

  mutable std::mutex mutex;
  bool paused = true;
  int64_t cursor = 0;  // the next frame the card takes
  int64_t anchorFrame = 0;
  SteadyClock::time_point anchorTime;
  int64_t limitFrame = 0;  // the end of the frames the card has taken
};

namespace {

int64_t positionAt(const AudioPlayback& playback, SteadyClock::time_point now) {
  if (playback.paused) return playback.anchorFrame;
  const double seconds = std::chrono::duration<double>(now - playback.anchorTime).count();
  const int64_t frame = playback.anchorFrame + int64_t(seconds * playback.format.rate);
  return playback.device ? std::min(frame, playback.limitFrame) : frame;
}

void anchorAt(AudioPlayback& playback, int64_t frame) {
  playback.cursor = frame;
  playback.anchorFrame = frame;
  playback.limitFrame = frame;
  playback.anchorTime = SteadyClock::now();
}

// The card's feed, on SDL's audio thread. It takes the decoded frames at the
// cursor and never waits for the decoder: frames not decoded yet play silent.
void feedCard(void* user, Uint8* stream, int bytes) {
  auto& playback = *static_cast<AudioPlayback*>(user);
  const int frames = bytes / int(sizeof(float) * size_t(playback.format.channels));
  int64_t first = 0;
  {
    std::lock_guard lock(playback.mutex);
    first = playback.cursor;
    anchorAt(playback, first);
    playback.cursor = playback.limitFrame = first + frames;
  }
  readTrackFrames(*playback.track, first, frames, reinterpret_cast<float*>(stream),
                  TrackRead::SilenceIfNotDecoded);
}

bool openDevice(AudioPlayback& playback, std::string& error) {
  silenceAudioDriverMessages();
  if (!SDL_WasInit(SDL_INIT_AUDIO)) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      error = SDL_GetError();
      return false;
    }
    playback.audioInitialised = true;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = playback.format.rate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = Uint8(playback.format.channels);
  wanted.samples = kCardBlockFrames;
  wanted.callback = feedCard;
  wanted.userdata = &playback;
  SDL_AudioSpec obtained{};
  // No changes allowed: SDL converts to whatever the card wants.
  playback.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (playback.device == 0) {
    error = SDL_GetError();
    return false;
  }
  return true;
}

}  // namespace

void AudioPlaybackClose::operator()(AudioPlayback* playback) const {
  if (playback->device) SDL_CloseAudioDevice(playback->device);
  if (playback->audioInitialised) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  delete playback;
}

AudioPlaybackHandle openAudioPlayback(AudioTrack& track, std::string& deviceError) {
  AudioPlaybackHandle playback(new AudioPlayback);
  playback->track = &track;
  playback->format = trackFormat(track);
  anchorAt(*playback, 0);
  if (!openDevice(*playback, deviceError) && playback->audioInitialised) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    playback->audioInitialised = false;
  }
  return playback;
}

bool playbackIsAudible(const AudioPlayback& playback) { return playback.device != 0; }

void pauseAudioPlayback(AudioPlayback& playback, bool paused) {
  // Pausing the card first guarantees its feed is not running while the
  // position is frozen.
  if (paused && playback.device) SDL_PauseAudioDevice(playback.device, 1);
  {
    std::lock_guard lock(playback.mutex);
    if (paused == playback.paused) return;
    const int64_t frame = positionAt(playback, SteadyClock::now());
    anchorAt(playback, frame);
    playback.paused = paused;
  }
  if (!paused && playback.device) SDL_PauseAudioDevice(playback.device, 0);
}

void seekAudioPlayback(AudioPlayback& playback, int64_t frame) {
  std::lock_guard lock(playback.mutex);
  anchorAt(playback, frame);
}

int64_t playbackFrame(const AudioPlayback& playback) {
  std::lock_guard lock(playback.mutex);
  return positionAt(playback, SteadyClock::now());
}
