// Fuzzes the PNG decoder; the first byte picks the colouring so that every
// conversion path runs.
#include <cstddef>
#include <cstdint>

#include "gfx/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  PngColouring colouring;
  if (data[0] & 1) colouring.saturation = 0.5f;
  if (data[0] & 2) colouring.tint = {0.5f, 1.5f, 1.0f};
  if (data[0] & 4) colouring.brightness = 0.25f;
  DecodedImage image;
  decodePng({data + 1, size - 1}, colouring, image);
  return 0;
}
