// Small vector helpers and the triangle/quad mesh the generator builds before
// it is written as an LWO2 object.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace showgen {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vec3 operator*(float s, Vec3 a) { return a * s; }
inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(Vec3 a) { return std::sqrt(dot(a, a)); }
inline Vec3 normalize(Vec3 a) {
  const float len = length(a);
  return len > 0 ? a * (1.0f / len) : a;
}
inline Vec3 lerp(Vec3 a, Vec3 b, float t) { return a + (b - a) * t; }
inline float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
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
