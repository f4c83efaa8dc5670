// Plays a decoded track through the sound card (SDL2 audio).
//
// The play position is counted in frames of the track. While the card plays,
// the position is the start of the block the card took last, moved on by the
// steady clock since then (never past that block's end), so it advances
// smoothly however the card's blocks fall. When no sound device opens, the
// playback runs silent on the steady clock alone, so that whatever follows
// the position still moves. A seek puts the position exactly on the asked
// frame; a pause holds it, and playing resumes from there.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct AudioTrack;
struct AudioPlayback;

struct AudioPlaybackClose {
  void operator()(AudioPlayback* playback) const;
};
using AudioPlaybackHandle = std::unique_ptr<AudioPlayback, AudioPlaybackClose>;

// Prepares playback of `track` (which must outlive it), paused at frame 0.
// When no sound device opens, `deviceError` says why and the playback is
// silent; it is never null.
AudioPlaybackHandle openAudioPlayback(AudioTrack& track, std::string& deviceError);

bool playbackIsAudible(const AudioPlayback& playback);
void pauseAudioPlayback(AudioPlayback& playback, bool paused);
void seekAudioPlayback(AudioPlayback& playback, int64_t frame);
// The frame playing now.
int64_t playbackFrame(const AudioPlayback& playback);
