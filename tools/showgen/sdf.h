// Signed distance primitives and smooth blends for the organic meshes
// (negative inside). Blends with a radius k give the soft, metaball-like
// joins between parts.
#pragma once

#include <algorithm>
#include <cmath>

#include "tools/showgen/geometry.h"

namespace showgen {

inline float sdSphere(Vec3 p, Vec3 centre, float radius) { return lengthSingle(p - centre) - radius; }

// Ellipsoid bound (not exact but close near the surface).
inline float sdEllipsoid(Vec3 p, Vec3 centre, Vec3 radii) {
  const Vec3 q = p - centre;
  const Vec3 a{q.x / radii.x, q.y / radii.y, q.z / radii.z};
  const Vec3 b{a.x / radii.x, a.y / radii.y, a.z / radii.z};
  const float k0 = lengthSingle(a);
  const float k1 = lengthSingle(b);
  return k1 > 0 ? k0 * (k0 - 1.0f) / k1 : -std::min(radii.x, std::min(radii.y, radii.z));
}

// Capsule from a to b whose radius goes linearly from ra to rb.
inline float sdTaperedCapsule(Vec3 p, Vec3 a, Vec3 b, float ra, float rb) {
  const Vec3 ab = b - a;
  const float t = clamp01(dotSingle(p - a, ab) / dotSingle(ab, ab));
  return lengthSingle(p - (a + ab * t)) - (ra + (rb - ra) * t);
}

inline float smoothUnion(float d1, float d2, float k) {
  const float h = clamp01(0.5f + 0.5f * (d2 - d1) / k);
  return d2 + (d1 - d2) * h - k * h * (1.0f - h);
}

inline float smoothSubtract(float d, float cut, float k) {
  const float h = clamp01(0.5f - 0.5f * (d + cut) / k);
  return d + (-cut - d) * h + k * h * (1.0f - h);
}

inline float smoothIntersect(float d1, float d2, float k) {
  const float h = clamp01(0.5f - 0.5f * (d2 - d1) / k);
  return d2 + (d1 - d2) * h + k * h * (1.0f - h);
}

}  // namespace showgen
