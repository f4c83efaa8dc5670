// A music track decoded from MP3 bytes held in memory.
//
// Opening reads the stream's format and returns at once; the samples are
// decoded on the track's own thread, first frame to last, into 32-bit float
// interleaved frames that stay in memory for the life of the track. A reader
// that asks for frames the decoder has not reached yet either waits for it
// (analysis must see the real samples) or takes silence (the sound card's
// feed, which must never block). Frames before the start or past the end of
// the track read as silence; so does anything after its first hour.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct AudioTrack;

struct AudioFormat {
  int rate = 0;
  int channels = 0;
};

struct AudioTrackClose {
  void operator()(AudioTrack* track) const;
};
using AudioTrackHandle = std::unique_ptr<AudioTrack, AudioTrackClose>;

// Takes the MP3 bytes and starts decoding them. Null, with `error` set, when
// the bytes hold no MP3 stream.
AudioTrackHandle openAudioTrack(std::vector<uint8_t> mp3, std::string& error);

AudioFormat trackFormat(const AudioTrack& track);
// Frames decoded so far; the track's whole length once decoding finished.
int64_t decodedFrames(const AudioTrack& track);
bool decodingFinished(const AudioTrack& track);
// Returns once frames [0, frame) are decoded or decoding has finished.
void waitForDecoder(AudioTrack& track, int64_t frame);

enum class TrackRead { WaitForDecoder, SilenceIfNotDecoded };

// Copies `count` interleaved frames starting at `first` into `out`.
void readTrackFrames(AudioTrack& track, int64_t first, int count, float* out, TrackRead mode);

// The frame at `ms` milliseconds (ms >= 0), rounded down.
int64_t trackFrameAtMs(int64_t ms, int rate);
