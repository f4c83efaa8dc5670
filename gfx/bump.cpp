#include "gfx/bump.h"

namespace {

// 0.299 R + 0.587 G + 0.114 B truncated, computed exactly: in floating point
// a grey pixel often lands just below its own value and truncates one lower.
int luminance(const uint8_t* pixel) {
  return (299 * pixel[0] + 587 * pixel[1] + 114 * pixel[2]) / 1000;
}

}  // namespace

void convertToBump(const uint8_t* pixels, uint8_t* output, int width, int height,
                   int bytesPerPixel) {
  const int stride = width * bytesPerPixel;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* pixel = pixels + y * stride + x * bytesPerPixel;
      const int d = (x > 0 && x < width - 1)
                        ? (luminance(pixel - bytesPerPixel) / 2 - luminance(pixel + bytesPerPixel) / 2) >> 1
                        : 0;
      const int e = (y > 0 && y < height - 1)
                        ? (luminance(pixel + stride) / 2 - luminance(pixel - stride) / 2) >> 1
                        : 0;
      const uint32_t word = 0x00FF7F7Fu + d + 256 * e - 65536 * luminance(pixel);
      uint8_t* out = output + (pixel - pixels);
      out[0] = static_cast<uint8_t>(word);
      out[1] = static_cast<uint8_t>(word >> 8);
      out[2] = static_cast<uint8_t>(word >> 16);
      out[3] = static_cast<uint8_t>(word >> 24);
    }
  }
}
