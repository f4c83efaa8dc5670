// A points-only LWO2 file for the particle kinds' tests, written into the
// current (temporary) directory.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "gfx/math.h"
#include "tests/gfx/lwo2_builder.h"

inline void writeParticleMesh(const std::string& path, const std::vector<Vec3>& points) {
  Lwo2Builder coordinates(false);
  for (const Vec3& p : points) {
    coordinates.f32(p.x);
    coordinates.f32(p.y);
    coordinates.f32(p.z);
  }
  Lwo2Builder file;
  file.chunk("PNTS", coordinates.bytes);
  const std::vector<uint8_t> bytes = file.finish();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              std::streamsize(bytes.size()));
}
