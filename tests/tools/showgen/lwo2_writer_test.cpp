// The LWO2 writer against the engine's loader.
#include <gtest/gtest.h>

#include <stdexcept>

#include "gfx/mesh_lwo2.h"
#include "tools/showgen/lwo2_writer.h"

namespace {

showgen::PolyMesh quadAndTriangle() {
  showgen::PolyMesh mesh;
  mesh.points = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}, {1, 2, 1}};
  mesh.addQuad(0, 1, 2, 3);
  mesh.addTriangle(3, 2, 4);
  return mesh;
}

TEST(Lwo2Writer, QuadsAndTrianglesReadBackInOrder) {
  const Mesh mesh = parseLwo2(showgen::writeLwo2(quadAndTriangle()));
  ASSERT_EQ(mesh.vertexCount(), 5);
  EXPECT_FLOAT_EQ(mesh.vertices[4].position.x, 1.0f);
  EXPECT_FLOAT_EQ(mesh.vertices[4].position.y, 2.0f);
  EXPECT_FLOAT_EQ(mesh.vertices[4].position.z, 1.0f);
  ASSERT_EQ(mesh.triangleCount(), 3);
  const int expected[3][3] = {{0, 1, 2}, {0, 2, 3}, {3, 2, 4}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(mesh.triangles[i].a, expected[i][0]);
    EXPECT_EQ(mesh.triangles[i].b, expected[i][1]);
    EXPECT_EQ(mesh.triangles[i].c, expected[i][2]);
  }
  // Counter-clockwise seen from +z: the quad's normal points at +z.
  EXPECT_GT(mesh.triangles[0].faceNormal.z, 0.99f);
}

TEST(Lwo2Writer, BoundingBoxDrivesTheTextureProjection) {
  const Mesh mesh = parseLwo2(showgen::writeLwo2(quadAndTriangle()));
  // Box (0,0,0)-(2,2,1): u = x / (2 + 0.5), v = y / (2 + 0.5).
  EXPECT_FLOAT_EQ(mesh.vertices[0].uv[0].x, 0.0f);
  EXPECT_FLOAT_EQ(mesh.vertices[1].uv[0].x, 2.0f / 2.5f);
  EXPECT_FLOAT_EQ(mesh.vertices[4].uv[0].y, 2.0f / 2.5f);
}

TEST(Lwo2Writer, PointsOnlyMeshHasNoTriangles) {
  showgen::PolyMesh cloud;
  cloud.points = {{1, 2, 3}, {-1, -2, -3}};
  const Mesh mesh = parseLwo2(showgen::writeLwo2(cloud));
  EXPECT_EQ(mesh.vertexCount(), 2);
  EXPECT_EQ(mesh.triangleCount(), 0);
}

TEST(Lwo2Writer, RefusesMorePointsThanTwoByteIndicesReach) {
  showgen::PolyMesh mesh;
  mesh.points.resize(showgen::kMaxLwoPoints);
  mesh.addTriangle(0, 1, static_cast<uint32_t>(showgen::kMaxLwoPoints - 1));
  const Mesh read = parseLwo2(showgen::writeLwo2(mesh));
  EXPECT_EQ(read.vertexCount(), static_cast<int>(showgen::kMaxLwoPoints));
  EXPECT_EQ(read.triangles.at(0).c, static_cast<int>(showgen::kMaxLwoPoints - 1));
  mesh.points.emplace_back();
  EXPECT_THROW(showgen::writeLwo2(mesh), std::length_error);
}

}  // namespace
