// The lathe builder against the sweep computed directly from its curves.
#include <gtest/gtest.h>

#include <cmath>

#include "effects/lathe.h"

namespace {

Curve curveThrough(std::vector<Vec3> points, bool closed = false) {
  Curve curve;
  curve.closed = closed;
  for (size_t i = 0; i < points.size(); ++i) curve.keys.push_back({float(i), 0, 0});
  curve.points = std::move(points);
  return curve;
}

Curve constant(float y) { return curveThrough({{0, y, 0}, {0, y, 0}, {0, y, 0}, {0, y, 0}}); }

// A vase: radius varies with height, open.
const Curve kProfile = curveThrough({{0.2f, -1, 0}, {0.5f, 0, 0}, {0.9f, 1, 0}, {0.4f, 2, 0},
                                     {0.7f, 3, 0}, {0.6f, 4, 0}});
// An uneven loop as the cross-section.
const Curve kOutline = curveThrough(
    {{1, 0, 0}, {0, 0.6f, 0}, {-0.8f, 0, 0}, {0.1f, -1.2f, 0}}, true);
const Curve kOne = constant(1);
const Curve kHalf = constant(0.5f);
const Curve kQuarter = constant(0.25f);
const Curve kTwo = constant(2);

LatheShape shapeOf(int rings, int columns) {
  LatheShape shape;
  shape.scaleY = {&kTwo, 1, 0};
  shape.scaleCentre = {&kHalf, 1, 0};
  shape.rotateCentre = {&kQuarter, 1, 0};
  shape.outline = &kOutline;
  shape.rings = rings;
  shape.columns = columns;
  shape.texGenMode = 4;
  return shape;
}

Vec3 at(const Curve& curve, float t) {
  Vec3 p;
  curvePoint(curve, t, p);
  return p;
}

}  // namespace

TEST(Lathe, VerticesFollowProfileAndOutline) {
  const int rings = 7, columns = 5;
  const Mesh mesh = buildLathe(&kProfile, shapeOf(rings, columns));
  ASSERT_EQ(mesh.vertexCount(), rings * columns);

  // Centroid over the m = rings - 1 steps of the open profile.
  Vec3 centroid, mean;
  float arc[rings] = {}, total = 0;
  for (int k = 0; k < rings; ++k) {
    const Vec3 p = at(kProfile, k / float(rings - 1));
    centroid += p;
    if (k > 0) {
      const Vec3 previous = at(kProfile, (k - 1) / float(rings - 1));
      total += std::hypot(p.x - previous.x, p.y - previous.y);
    }
    arc[k] = total;
  }
  centroid *= 1.0f / (rings - 1);
  for (int b = 0; b < columns; ++b) mean += at(kOutline, b / float(columns));
  mean *= 1.0f / columns;

  for (int k = 0; k < rings; ++k) {
    for (int b = 0; b < columns; ++b) {
      const Vec3 p = at(kProfile, k / float(rings - 1));
      // Halved about the centroid, then a quarter turn: (x, y) -> (-y, x).
      const float dx = (p.x - centroid.x) * 0.5f, dy = (p.y - centroid.y) * 0.5f;
      const float radius = -dy + centroid.x, height = dx + centroid.y;
      const Vec3 n = at(kOutline, b / float(columns));
      const MeshVertex& v = mesh.vertices[k * columns + b];
      SCOPED_TRACE(testing::Message() << "ring " << k << " column " << b);
      EXPECT_NEAR(v.position.x, radius * (n.x - mean.x), 1e-4f);
      EXPECT_NEAR(v.position.y, height * 2, 1e-4f);
      EXPECT_NEAR(v.position.z, radius * (n.y - mean.y), 1e-4f);
      EXPECT_NEAR(v.uv[0].x, b / float(columns), 1e-6f);
      EXPECT_NEAR(v.uv[0].y, arc[k] / total, 1e-5f);
      // The tangent turns about y with the column.
      const float angle = 6.2831853f * b / columns;
      EXPECT_NEAR(v.tangent.x, -std::sin(angle), 1e-5f);
      EXPECT_NEAR(v.tangent.z, -std::cos(angle), 1e-5f);
    }
  }
}

TEST(Lathe, ClosedProfileJoinsLastRingToFirst) {
  const Curve loop = curveThrough({{1, 0, 0}, {2, 1, 0}, {1, 2, 0}, {0.5f, 1, 0}}, true);
  LatheShape shape = shapeOf(6, 4);
  const Mesh closed = buildLathe(&loop, shape);
  EXPECT_EQ(closed.triangleCount(), 2 * 6 * 4);
  const MeshTriangle& joint = closed.triangles[2 * 5 * 4];
  EXPECT_EQ(joint.a, 5 * 4);
  EXPECT_EQ(joint.c, 0);
  // A closed profile samples k / D, so the last ring stops short of the first.
  shape.scaleCentre = {&kOne, 1, 0};
  shape.rotateCentre = {};
  const Mesh plain = buildLathe(&loop, shape);
  EXPECT_NEAR(plain.vertices[5 * 4].position.y, at(loop, 5 / 6.0f).y * 2, 1e-5f);

  const Mesh open = buildLathe(&kProfile, shape);
  EXPECT_EQ(open.triangleCount(), 2 * 5 * 4);
}

TEST(Lathe, TwoRingsMakeOnlySeamTriangles) {
  const Mesh mesh = buildLathe(&kProfile, shapeOf(2, 6));
  for (const MeshTriangle& triangle : mesh.triangles) {
    const int shared = mesh.vertices[triangle.a].flags & mesh.vertices[triangle.b].flags &
                       mesh.vertices[triangle.c].flags;
    EXPECT_TRUE(shared & 2);
  }
  // Corner of ring 0 and column 0 carries every flag and its own coordinates.
  EXPECT_EQ(mesh.vertices[0].flags, 7);
  EXPECT_EQ(mesh.vertices[0].uv[3].x, 1.0f);
  EXPECT_EQ(mesh.vertices[0].uv[3].y, 1.0f);
}

TEST(Lathe, FlatProfileOnPathAndCountsOutOfRangeStayDefined) {
  // Every sample at one height: the height fraction would divide by zero.
  const Curve flat = curveThrough({{1, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 0, 0}});
  const Curve path = curveThrough({{0, 0, 0}, {0, 0, 0}, {0, 3, 0}, {0, 3, 0}});
  LatheShape shape = shapeOf(1, 100000);
  shape.scaleCentre = {&kOne, 1, 0};
  shape.rotateCentre = {};
  shape.move = 1;
  shape.moveCurve = &path;
  const Mesh mesh = buildLathe(&flat, shape);
  EXPECT_EQ(mesh.vertexCount(), 2 * 100000);  // columns are used as given
  for (const MeshVertex& v : mesh.vertices) {
    ASSERT_TRUE(std::isfinite(v.position.x) && std::isfinite(v.position.y) &&
                std::isfinite(v.position.z));
    ASSERT_EQ(v.uv[0].y, 0.0f);  // no arc length to share out
  }
}
