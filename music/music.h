// The show's music: one MP3 track, started once at start-up, repositioned
// whenever the show time jumps, paused with the show, stopped at exit; and
// its frequency spectrum for the effects that follow the music.
//
// The track is decoded on its own thread, so starting returns at once; a
// spectrum asked for before the decoder reached the play position waits for
// it, so it is always the spectrum of the real samples there.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/audio_spectrum.h"  // kSpectrumBins

inline constexpr const char* kMusicFileName = "./quarno/velmira.mp3";

enum class MusicOutput {
  Speakers,  // plays through the sound card, silent when none opens
  Offline,   // no sound: the position moves only by repositionMusic
};

// Loads kMusicFileName and starts it playing from 0 (start-up, when the
// music is enabled). A missing or empty file leaves the show silent, with a
// message on stderr. False when the file holds no playable MP3 stream:
// start-up then ends.
bool startMusic(MusicOutput output = MusicOutput::Speakers);
// The same from MP3 bytes already loaded.
bool startMusicFromData(std::vector<uint8_t> mp3, MusicOutput output);

// Puts the music at the show time `timeSeconds`, in whole milliseconds.
void repositionMusic(float timeSeconds);
void pauseMusic(bool paused);
void stopMusic();

// Writes the 2048 spectrum magnitudes at the play position into `values`.
// Nothing is written unless the music is started (and not stopped since);
// silence when the music file was missing.
void getSpectrum(float* values, int channelOffset);

// Replaces the music as the source of getSpectrum (null restores it), so the
// effects that follow the music can be drawn for a known spectrum.
using SpectrumSource = void (*)(float* values, int channelOffset);
void setSpectrumSource(SpectrumSource source);

// The millisecond position repositionMusic uses for a show time.
int64_t musicPositionMs(float timeSeconds);

// The soundtrack's interleaved 32-bit float samples for `seconds` from show
// time `fromSeconds` on (where repositionMusic would put it), silence past
// its end, with their rate and channel count. False when no track is loaded
// (no music, or the file was missing).
bool readMusicStretch(float fromSeconds, double seconds, std::vector<float>& samples, int& rate,
                      int& channels);

// How long the loaded track plays, once it is decoded to its end (waits for
// the decoder); 0 when no track is loaded.
double musicLengthSeconds();
