// PNG (libpng) and JPEG (libjpeg) encoding of 8-bit images held in memory.
// Neither writes a time stamp, so the same pixels always give the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace showgen {

// Rows top to bottom, `channels` bytes per pixel: 1 grey, 3 RGB, 4 RGBA.
struct Image {
  int width = 0;
  int height = 0;
  int channels = 3;
  std::vector<uint8_t> pixels;

  Image() = default;
  Image(int w, int h, int c) : width(w), height(h), channels(c), pixels(size_t(w) * h * c, 0) {}
  uint8_t* at(int x, int y) { return &pixels[(size_t(y) * width + x) * channels]; }
  const uint8_t* at(int x, int y) const { return &pixels[(size_t(y) * width + x) * channels]; }
};

// Throws std::runtime_error when the library reports a failure.
std::vector<uint8_t> encodePng(const Image& image);
// Grey or RGB only; quality 1-100.
std::vector<uint8_t> encodeJpeg(const Image& image, int quality);

}  // namespace showgen
