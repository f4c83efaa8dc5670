// Fuzzes the material file reader and the field listing.
#include <cstddef>
#include <cstdint>

#include "gfx/material.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const MaterialFile file = parseMaterial({data, size});
  describeMaterial(file.material);
  return 0;
}
