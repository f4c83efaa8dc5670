// The triangle/quad mesh the generator builds before
// it is written as an LWO2 object.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/math.h"

namespace showgen {

using ::Vec3;

// The generator shapes its meshes in single precision throughout, where the
// engine's products round once from double: the meshes' bytes depend on it.
inline float dotSingle(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 crossSingle(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float lengthSingle(Vec3 a) { return std::sqrt(dotSingle(a, a)); }
inline Vec3 normalizeSingle(Vec3 a) {
  const float len = lengthSingle(a);
  return len > 0 ? a * (1.0f / len) : a;
}

inline float smoothstep(float edge0, float edge1, float v) {
  const float t = clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

// A polygon of three or four corners, counter-clockwise seen from outside.
struct Polygon {
  uint8_t cornerCount = 3;
  std::array<uint32_t, 4> corners{};
};

struct PolyMesh {
  std::vector<Vec3> points;
  std::vector<Polygon> polygons;

  void addTriangle(uint32_t a, uint32_t b, uint32_t c) { polygons.push_back({3, {a, b, c, 0}}); }
  void addQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    polygons.push_back({4, {a, b, c, d}});
  }
  // Triangles the engine makes of this mesh (a quad counts twice).
  size_t triangleCount() const {
    size_t count = 0;
    for (const Polygon& polygon : polygons) count += polygon.cornerCount == 4 ? 2 : 1;
    return count;
  }
};

}  // namespace showgen
