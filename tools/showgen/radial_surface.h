// Meshes a closed surface that every ray from a centre point crosses once
// (a star-shaped solid given by a signed distance function). A subdivided
// icosahedron is cast onto the surface along its directions, then relaxed so
// that the triangles spread evenly over the surface (long arms get as many
// vertices as their area needs). Triangles are counter-clockwise seen from
// outside.
#pragma once

#include <functional>

#include "tools/showgen/geometry.h"

namespace showgen {

using DistanceFunction = std::function<float(Vec3)>;

struct RadialSurfaceSettings {
  Vec3 centre;
  float maxRadius = 3.0f;  // the whole solid lies within this distance of the centre
  int frequency = 24;      // each icosahedron edge is cut into this many pieces
  int relaxIterations = 12;
};

// 20 * frequency^2 triangles and 10 * frequency^2 + 2 points.
PolyMesh meshRadialSurface(const DistanceFunction& distance, const RadialSurfaceSettings& settings);

// Smallest triangle area divided by the square of its longest edge, over the
// mesh: zero for a degenerate triangle, about 0.43 for an equilateral one.
float worstTriangleShape(const PolyMesh& mesh);

}  // namespace showgen
