#include "effects/box_tube.h"

#include <vector>

namespace {

struct OutlinePoint {
  float y, z;
};

// Around the unit square: bottom edge, right edge, top edge, left edge.
std::vector<OutlinePoint> squareOutline(int a, int b) {
  std::vector<OutlinePoint> outline;
  outline.reserve(size_t(2 * (a + b)));
  for (int i = 0; i < a; ++i) outline.push_back({float(i) / float(a) - 0.5f, -0.5f});
  for (int i = 0; i < b; ++i) outline.push_back({0.5f, float(i) / float(b) - 0.5f});
  for (int i = 0; i < a; ++i) outline.push_back({0.5f - float(i) / float(a), 0.5f});
  for (int i = 0; i < b; ++i) outline.push_back({-0.5f, 0.5f - float(i) / float(b)});
  return outline;
}

}  // namespace

Mesh buildBoxTube(const BoxTubeShape& shape) {
  Mesh tube;
  const int a = shape.outlineA > 0 ? shape.outlineA : 0;
  const int b = shape.outlineB > 0 ? shape.outlineB : 0;
  const int segments = shape.segments;
  const int points = 2 * (a + b);
  if (segments < 1 || points < 2) return tube;

  const std::vector<OutlinePoint> outline = squareOutline(a, b);
  tube.vertices.resize(size_t((segments + 1) * points));
  for (int ring = 0; ring <= segments; ++ring)
    for (int p = 0; p < points; ++p) {
      MeshVertex& vertex = tube.vertices[size_t(ring * points + p)];
      const float along = float(ring) / float(segments);
      vertex.position = {(along - 0.5f) * shape.size.x, outline[size_t(p)].y * shape.size.y,
                         outline[size_t(p)].z * shape.size.z};
      vertex.restPosition = vertex.position;
      vertex.uv[0] = {along * shape.uScale, float(p) / float(points) * shape.vScale, 0.0f};
    }

  tube.triangles.reserve(size_t(2 * segments * (points - 1)));
  for (int k = 0; k < segments * (points - 1); ++k) {
    addTriangle(tube, k, k + 1, k + points);
    addTriangle(tube, k + 1, k + points + 1, k + points);
  }
  return tube;
}

void scaleTubeSection(Mesh& tube, const std::function<float(float x)>& factor) {
  for (MeshVertex& vertex : tube.vertices) {
    const float f = factor(vertex.position.x);
    vertex.position.y *= f;
    vertex.position.z *= f;
    vertex.restPosition = vertex.position;
  }
}
