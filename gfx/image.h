// Image decoding: PNG and JPEG files held in memory become 8-bit pixel arrays.
//
// Decoding touches no GL and no files; image_texture.h turns the pixels into
// pool textures. A corrupt image ends its own decode with a failure code; it
// never ends the process. The decoders print nothing: what their libraries
// say lands in DecodedImage::problem, for the caller to show with the file's
// name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "gfx/math.h"

struct DecodedImage {
  // Rows in file order, first row first; no padding between rows.
  std::vector<uint8_t> pixels;
  int width = 0;
  int height = 0;
  // 4 for PNG (R, G, B, A), 3 for JPEG (R, G, B).
  int bytesPerPixel = 0;
  // Why the decode failed, or a warning about an image that still decoded
  // (such as data ending early); empty when all was well.
  std::string problem{};
};

// The re-colouring applied while PNG pixels are converted. Tint and
// brightness act on true-colour images only; saturation on every image.
struct PngColouring {
  float saturation = 1.0f;
  Vec3 tint{1.0f, 1.0f, 1.0f};
  float brightness = 0.0f;
};

enum PngStatus : int {
  kPngOk = 0,
  kPngBadSignature = 5,
  kPngNoLibrary = 6,
  // Truncated or corrupt data, or an image too large to decode.
  kPngCorrupt = 7,
};

enum JpegStatus : int {
  kJpegEmpty = -1,
  kJpegAbandoned = 0,
  kJpegOk = 1,
};

// Images are refused above this many pixels (the decoders allocate the whole
// picture up front, so a forged header must not ask for gigabytes).
inline constexpr int64_t kMaxImagePixels = int64_t(8192) * 8192;
// JPEG pictures are decoded into a 32 MiB buffer; larger ones are refused.
inline constexpr int64_t kMaxJpegBytes = int64_t(32) << 20;

PngStatus decodePng(std::span<const uint8_t> bytes, const PngColouring& colouring,
                    DecodedImage& image);
JpegStatus decodeJpeg(std::span<const uint8_t> bytes, DecodedImage& image);

// One pixel's colours after saturation: lum = 0.299 r + 0.587 g + 0.114 b
// (at most 255), each channel round(c * saturation + lum * (1 - saturation))
// clamped to 0..255.
void saturatePixel(float r, float g, float b, float saturation, uint8_t* out);
