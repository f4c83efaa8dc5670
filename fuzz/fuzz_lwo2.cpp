// Fuzzes the LWO2 reader and the normal passes over what it builds.
#include <cstddef>
#include <cstdint>

#include "gfx/mesh_lwo2.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Mesh mesh = parseLwo2({data, size});
  recomputeNormals(mesh, true);
  return 0;
}
