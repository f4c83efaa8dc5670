// MP3 encoding with libmp3lame: constant bit rate, joint stereo, a LAME "Info"
// frame at the start (so decoders can trim the encoder delay and padding) and
// no ID3 tags. The same samples always give the same bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace showgen {

struct Mp3Settings {
  int sampleRate = 48000;
  int kbps = 192;
  int quality = 3;  // LAME's algorithm quality, 0 best .. 9 fastest
};

// Samples in [-1, 1]; throws std::runtime_error when LAME fails.
std::vector<uint8_t> encodeMp3(const std::vector<float>& left, const std::vector<float>& right,
                               const Mp3Settings& settings);

}  // namespace showgen
