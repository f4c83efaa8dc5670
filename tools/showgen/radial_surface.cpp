#include "tools/showgen/radial_surface.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace showgen {
namespace {

struct Icosahedron {
  std::vector<Vec3> corners;
  std::vector<std::array<int, 3>> faces;
};

Icosahedron makeIcosahedron() {
  const float g = (1.0f + std::sqrt(5.0f)) * 0.5f;
  Icosahedron shape;
  shape.corners = {{-1, g, 0}, {1, g, 0}, {-1, -g, 0}, {1, -g, 0}, {0, -1, g}, {0, 1, g},
                   {0, -1, -g}, {0, 1, -g}, {g, 0, -1}, {g, 0, 1}, {-g, 0, -1}, {-g, 0, 1}};
  for (Vec3& corner : shape.corners) corner = normalizeSingle(corner);
  shape.faces = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11},
                 {1, 5, 9},  {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
                 {3, 9, 4},  {3, 4, 2},  {3, 2, 6},   {3, 6, 8},  {3, 8, 9},
                 {4, 9, 5},  {2, 4, 11}, {6, 2, 10},  {8, 6, 7},  {9, 8, 1}};
  for (auto& face : shape.faces) {
    const Vec3 a = shape.corners[face[0]], b = shape.corners[face[1]], c = shape.corners[face[2]];
    if (dotSingle(crossSingle(b - a, c - a), a + b + c) < 0) std::swap(face[1], face[2]);
  }
  return shape;
}

// Unit directions of a geodesic sphere and its triangles, outward facing.
void makeGeodesicSphere(int n, std::vector<Vec3>& directions,
                        std::vector<std::array<uint32_t, 3>>& triangles) {
  const Icosahedron shape = makeIcosahedron();
  // A grid point is named by its corner weights, sorted by corner, so points on
  // shared edges and corners are made once.
  std::map<std::array<int, 6>, uint32_t> known;
  auto pointIndex = [&](const std::array<int, 3>& face, int wa, int wb, int wc) {
    std::array<std::pair<int, int>, 3> weights{{{face[0], wa}, {face[1], wb}, {face[2], wc}}};
    for (auto& w : weights) {
      if (w.second == 0) w.first = -1;
    }
    std::sort(weights.begin(), weights.end());
    const std::array<int, 6> key{weights[0].first, weights[0].second, weights[1].first,
                                 weights[1].second, weights[2].first, weights[2].second};
    auto found = known.find(key);
    if (found != known.end()) return found->second;
    const Vec3 p = (shape.corners[face[0]] * static_cast<float>(wa) +
                    shape.corners[face[1]] * static_cast<float>(wb) +
                    shape.corners[face[2]] * static_cast<float>(wc));
    const uint32_t index = static_cast<uint32_t>(directions.size());
    directions.push_back(normalizeSingle(p));
    known.emplace(key, index);
    return index;
  };
  for (const auto& face : shape.faces) {
    auto at = [&](int i, int j) { return pointIndex(face, n - i - j, i, j); };
    for (int j = 0; j < n; ++j) {
      for (int i = 0; i + j < n; ++i) {
        triangles.push_back({at(i, j), at(i + 1, j), at(i, j + 1)});
        if (i + j + 1 < n) triangles.push_back({at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)});
      }
    }
  }
}

// Distance from the centre to the outermost surface crossing along a ray,
// found by sphere tracing inwards from outside the solid.
float outermostCrossing(const DistanceFunction& distance, Vec3 centre, Vec3 direction,
                        float maxRadius) {
  float t = maxRadius;
  for (int step = 0; step < 400 && t > 0; ++step) {
    const float d = distance(centre + direction * t);
    if (d < 2e-5f) break;
    t -= std::max(d * 0.8f, 1e-5f);
  }
  return std::max(t, 1e-3f);
}

}  // namespace

PolyMesh meshRadialSurface(const DistanceFunction& distance, const RadialSurfaceSettings& settings) {
  std::vector<Vec3> directions;
  std::vector<std::array<uint32_t, 3>> triangles;
  makeGeodesicSphere(settings.frequency, directions, triangles);

  std::vector<std::set<uint32_t>> neighbours(directions.size());
  for (const auto& t : triangles) {
    for (int corner = 0; corner < 3; ++corner) {
      neighbours[t[corner]].insert(t[(corner + 1) % 3]);
      neighbours[t[corner]].insert(t[(corner + 2) % 3]);
    }
  }

  const Vec3 centre = settings.centre;
  std::vector<Vec3> points(directions.size());
  auto castAll = [&] {
    for (size_t i = 0; i < directions.size(); ++i) {
      points[i] = centre + directions[i] *
                               outermostCrossing(distance, centre, directions[i], settings.maxRadius);
    }
  };
  castAll();
  for (int iteration = 0; iteration < settings.relaxIterations; ++iteration) {
    for (size_t i = 0; i < directions.size(); ++i) {
      Vec3 sum{0, 0, 0};
      for (uint32_t other : neighbours[i]) sum = sum + points[other];
      const Vec3 average = sum * (1.0f / static_cast<float>(neighbours[i].size()));
      directions[i] = normalizeSingle(lerp(directions[i], normalizeSingle(average - centre), 0.6f));
    }
    castAll();
  }

  PolyMesh mesh;
  mesh.points = std::move(points);
  for (const auto& t : triangles) mesh.addTriangle(t[0], t[1], t[2]);
  return mesh;
}

float worstTriangleShape(const PolyMesh& mesh) {
  float worst = 1.0f;
  auto shape = [&](uint32_t a, uint32_t b, uint32_t c) {
    const Vec3 pa = mesh.points[a], pb = mesh.points[b], pc = mesh.points[c];
    const float area = 0.5f * lengthSingle(crossSingle(pb - pa, pc - pa));
    const float longest =
        std::max({dotSingle(pb - pa, pb - pa), dotSingle(pc - pb, pc - pb), dotSingle(pa - pc, pa - pc)});
    worst = std::min(worst, longest > 0 ? area / longest : 0.0f);
  };
  for (const Polygon& polygon : mesh.polygons) {
    shape(polygon.corners[0], polygon.corners[1], polygon.corners[2]);
    if (polygon.cornerCount == 4) shape(polygon.corners[0], polygon.corners[2], polygon.corners[3]);
  }
  return worst;
}

}  // namespace showgen
