#include "tools/showgen/mp3_encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace showgen {
namespace {

struct LameDeleter {
  void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

}  // namespace

std::vector<uint8_t> encodeMp3(const std::vector<float>& left, const std::vector<float>& right,
                               const Mp3Settings& settings) {
  std::unique_ptr<lame_global_flags, LameDeleter> lame(lame_init());
  if (!lame) throw std::runtime_error("LAME did not start");
  lame_set_num_channels(lame.get(), 2);
  lame_set_in_samplerate(lame.get(), settings.sampleRate);
  lame_set_out_samplerate(lame.get(), settings.sampleRate);
  lame_set_mode(lame.get(), JOINT_STEREO);
  lame_set_VBR(lame.get(), vbr_off);
  lame_set_brate(lame.get(), settings.kbps);
  lame_set_quality(lame.get(), settings.quality);
  lame_set_bWriteVbrTag(lame.get(), 1);
  lame_set_write_id3tag_automatic(lame.get(), 0);
  if (lame_init_params(lame.get()) < 0) throw std::runtime_error("LAME refused the settings");

  std::vector<uint8_t> out;
  constexpr int kChunk = 1152 * 16;
  std::vector<unsigned char> buffer(kChunk * 5 / 4 + 7200);
  for (size_t offset = 0; offset < left.size(); offset += kChunk) {
    const int frames = static_cast<int>(std::min<size_t>(kChunk, left.size() - offset));
    const int written = lame_encode_buffer_ieee_float(lame.get(), left.data() + offset,
                                                      right.data() + offset, frames, buffer.data(),
                                                      static_cast<int>(buffer.size()));
    if (written < 0) throw std::runtime_error("LAME failed to encode");
    out.insert(out.end(), buffer.begin(), buffer.begin() + written);
  }
  const int flushed = lame_encode_flush(lame.get(), buffer.data(), static_cast<int>(buffer.size()));
  if (flushed < 0) throw std::runtime_error("LAME failed to finish");
  out.insert(out.end(), buffer.begin(), buffer.begin() + flushed);

  // The first frame was reserved for the Info frame; fill it in now that the
  // stream's length is known.
  const size_t tagSize = lame_get_lametag_frame(lame.get(), buffer.data(), buffer.size());
  if (tagSize == 0 || tagSize > out.size() || tagSize > buffer.size()) {
    throw std::runtime_error("LAME gave no Info frame");
  }
  std::copy(buffer.begin(), buffer.begin() + tagSize, out.begin());
  return out;
}

}  // namespace showgen
