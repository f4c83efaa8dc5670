#include "platform/audio_track.h"

#include <mpg123.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

namespace {

// The MP3 bytes as a seekable stream for the decoder.
struct MemoryStream {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t position = 0;
};

mpg123_ssize_t readMemory(void* handle, void* buffer, size_t bytes) {
  auto& stream = *static_cast<MemoryStream*>(handle);
  const size_t count = std::min(bytes, stream.size - stream.position);
  memcpy(buffer, stream.data + stream.position, count);
  stream.position += count;
  return mpg123_ssize_t(count);
}

off_t seekMemory(void* handle, off_t offset, int whence) {
  auto& stream = *static_cast<MemoryStream*>(handle);
  off_t base = 0;
  if (whence == SEEK_CUR) base = off_t(stream.position);
  if (whence == SEEK_END) base = off_t(stream.size);
  const off_t target = base + offset;
  if (target < 0 || target > off_t(stream.size)) return -1;
  stream.position = size_t(target);
  return target;
}

// Decoded frames live in blocks that never move once written, so the decoder
// can add blocks while readers copy from the ones before. The block table is
// sized for the longest track the player keeps; anything past that is silence.
constexpr int64_t kBlockFrames = 1 << 16;
constexpr int64_t kLongestTrackSeconds = 3600;
// Frames handed to readers at a time while decoding.
constexpr int64_t kDecodeStepFrames = 4096;

}  // namespace

struct AudioTrack {
  std::vector<uint8_t> mp3;
  MemoryStream stream;
  mpg123_handle* decoder = nullptr;
  AudioFormat format;
  std::vector<std::unique_ptr<float[]>> blocks;  // sized before decoding starts
  std::atomic<int64_t> decoded{0};
  std::atomic<bool> finished{false};
  std::atomic<bool> stopRequested{false};
  std::mutex mutex;
  std::condition_variable progress;
  std::thread thread;
};

namespace {

void announceProgress(AudioTrack& track) {
  { std::lock_guard lock(track.mutex); }
  track.progress.notify_all();
}

// False when decoding must end here: the stream ended, failed, or changed
// shape midway (the rest then plays silent).
bool decodeStep(AudioTrack& track, int64_t& decoded) {
  const size_t channels = size_t(track.format.channels);
  const size_t block = size_t(decoded / kBlockFrames);
  if (block >= track.blocks.size()) return false;
  if (!track.blocks[block]) track.blocks[block].reset(new float[size_t(kBlockFrames) * channels]);
  const int64_t offset = decoded % kBlockFrames;
  const int64_t frames = std::min(kDecodeStepFrames, kBlockFrames - offset);
  size_t bytes = 0;
  const int result = mpg123_read(track.decoder, track.blocks[block].get() + offset * channels,
                                 size_t(frames) * channels * sizeof(float), &bytes);
  decoded += int64_t(bytes / (channels * sizeof(float)));
  track.decoded.store(decoded, std::memory_order_release);
  announceProgress(track);
  if (result == MPG123_NEW_FORMAT) {
    long rate = 0;
    int newChannels = 0, encoding = 0;
    mpg123_getformat(track.decoder, &rate, &newChannels, &encoding);
    return rate == track.format.rate && newChannels == track.format.channels;
  }
  // A read that brings nothing is taken as the end, so no stream can keep
  // the decoder spinning.
  return result == MPG123_OK && bytes > 0;
}

void decodeTrack(AudioTrack& track) {
  int64_t decoded = 0;
  while (!track.stopRequested.load(std::memory_order_relaxed) && decodeStep(track, decoded)) {
  }
  track.finished.store(true, std::memory_order_release);
  announceProgress(track);
}

bool allowFloatOutput(mpg123_handle* decoder) {
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  if (mpg123_format_none(decoder) != MPG123_OK) return false;
  for (size_t i = 0; i < rateCount; ++i)
    mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
  return true;
}

// Opens the decoder on the track's bytes and reads the stream's format.
bool openDecoder(AudioTrack& track, std::string& error) {
  int result = MPG123_OK;
  track.decoder = mpg123_new(nullptr, &result);
  if (!track.decoder) {
    error = mpg123_plain_strerror(result);
    return false;
  }
  mpg123_param(track.decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  track.stream = {track.mp3.data(), track.mp3.size(), 0};
  long rate = 0;
  int encoding = 0;
  if (!allowFloatOutput(track.decoder) ||
      mpg123_replace_reader_handle(track.decoder, readMemory, seekMemory, nullptr) != MPG123_OK ||
      mpg123_open_handle(track.decoder, &track.stream) != MPG123_OK ||
      mpg123_getformat(track.decoder, &rate, &track.format.channels, &encoding) != MPG123_OK) {
    error = mpg123_strerror(track.decoder);
    return false;
  }
  track.format.rate = int(rate);
  if (encoding != MPG123_ENC_FLOAT_32 || track.format.channels < 1 || rate <= 0) {
    error = "unsupported sample format";
    return false;
  }
  return true;
}

}  // namespace

void AudioTrackClose::operator()(AudioTrack* track) const {
  track->stopRequested = true;
  if (track->thread.joinable()) track->thread.join();
  if (track->decoder) mpg123_delete(track->decoder);
  delete track;
}

AudioTrackHandle openAudioTrack(std::vector<uint8_t> mp3, std::string& error) {
  AudioTrackHandle track(new AudioTrack);
  track->mp3 = std::move(mp3);
  if (track->mp3.empty()) {
    error = "the file is empty";
    return nullptr;
  }
  if (!openDecoder(*track, error)) return nullptr;
  const int64_t longest = kLongestTrackSeconds * track->format.rate;
  track->blocks.resize(size_t((longest + kBlockFrames - 1) / kBlockFrames));
  track->thread = std::thread(decodeTrack, std::ref(*track));
  return track;
}

AudioFormat trackFormat(const AudioTrack& track) { return track.format; }

int64_t decodedFrames(const AudioTrack& track) {
  return track.decoded.load(std::memory_order_acquire);
}

bool decodingFinished(const AudioTrack& track) {
  return track.finished.load(std::memory_order_acquire);
}

void waitForDecoder(AudioTrack& track, int64_t frame) {
  std::unique_lock lock(track.mutex);
  track.progress.wait(lock, [&] { return decodingFinished(track) || decodedFrames(track) >= frame; });
}

void readTrackFrames(AudioTrack& track, int64_t first, int count, float* out, TrackRead mode) {
  const size_t channels = size_t(track.format.channels);
  std::fill_n(out, size_t(count) * channels, 0.0f);
  if (mode == TrackRead::WaitForDecoder) waitForDecoder(track, first + count);
  const int64_t available = decodedFrames(track);
  for (int64_t frame = std::max<int64_t>(first, 0); frame < std::min(first + count, available);) {
    const int64_t offset = frame % kBlockFrames;
    const int64_t frames = std::min({kBlockFrames - offset, first + count - frame, available - frame});
    const float* block = track.blocks[size_t(frame / kBlockFrames)].get();
    std::copy_n(block + offset * channels, size_t(frames) * channels,
                out + (frame - first) * channels);
    frame += frames;
  }
}

int64_t trackFrameAtMs(int64_t ms, int rate) { return ms * rate / 1000; }
