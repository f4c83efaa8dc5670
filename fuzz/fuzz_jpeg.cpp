// Fuzzes the JPEG decoder with its memory source.
#include <cstddef>
#include <cstdint>

#include "gfx/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodedImage image;
  decodeJpeg({data, size}, image);
  return 0;
}
