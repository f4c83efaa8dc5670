// The box tube generator's rings, outline, texture coordinates and strip.
#include <gtest/gtest.h>

#include "effects/box_tube.h"

TEST(BoxTube, SpindleShapeHasItsCountsAndOutline) {
  const Mesh tube = buildBoxTube({64, 4.0f, 1.0f, 4, 4, {32.0f, 1.0f, 2.0f}});
  ASSERT_EQ(tube.vertexCount(), 1040);
  EXPECT_EQ(tube.triangleCount(), 1920);

  // Ring 1, outline point 5: second point of the edge at y = 0.5.
  const MeshVertex& v = tube.vertices[16 + 5];
  EXPECT_FLOAT_EQ(v.position.x, (1.0f / 64 - 0.5f) * 32);
  EXPECT_FLOAT_EQ(v.position.y, 0.5f);
  EXPECT_FLOAT_EQ(v.position.z, (1.0f / 4 - 0.5f) * 2);
  EXPECT_FLOAT_EQ(v.restPosition.z, v.position.z);
  EXPECT_FLOAT_EQ(v.uv[0].x, 4.0f / 64);
  EXPECT_FLOAT_EQ(v.uv[0].y, 5.0f / 16);
  EXPECT_FLOAT_EQ(v.tangent.x, 1.0f);
  // The last outline point closes the square back towards the first.
  EXPECT_FLOAT_EQ(tube.vertices[15].position.y, -0.5f);
  EXPECT_FLOAT_EQ(tube.vertices[15].position.z, (0.5f - 3.0f / 4) * 2);
}

TEST(BoxTube, QuadsRunAlongTheVertexIndex) {
  const Mesh tube = buildBoxTube({2, 1.0f, 1.0f, 1, 1, {1.0f, 1.0f, 1.0f}});
  ASSERT_EQ(tube.vertexCount(), 12);
  ASSERT_EQ(tube.triangleCount(), 12);
  // Quad k = 3 joins the last point of ring 0 to the first of ring 1.
  const MeshTriangle& first = tube.triangles[6];
  const MeshTriangle& second = tube.triangles[7];
  EXPECT_EQ(first.a, 3);
  EXPECT_EQ(first.b, 4);
  EXPECT_EQ(first.c, 7);
  EXPECT_EQ(second.a, 4);
  EXPECT_EQ(second.b, 8);
  EXPECT_EQ(second.c, 7);
  EXPECT_EQ(tube.vertices[4].triangleList, (std::vector<int>{0, 1, 6, 7, 8}));
}

TEST(BoxTube, DegenerateShapesGiveEmptyMeshes) {
  EXPECT_EQ(buildBoxTube({0, 1.0f, 1.0f, 4, 4, {}}).vertexCount(), 0);
  EXPECT_EQ(buildBoxTube({8, 1.0f, 1.0f, 0, 0, {}}).vertexCount(), 0);
}

TEST(BoxTube, SectionScaleKeepsXAndUpdatesRest) {
  Mesh tube = buildBoxTube({4, 1.0f, 1.0f, 1, 1, {4.0f, 1.0f, 1.0f}});
  scaleTubeSection(tube, [](float x) { return x + 3.0f; });
  const MeshVertex& last = tube.vertices[4 * 4 + 2];  // x = 2, (0.5, 0.5)
  EXPECT_FLOAT_EQ(last.position.x, 2.0f);
  EXPECT_FLOAT_EQ(last.position.y, 2.5f);
  EXPECT_FLOAT_EQ(last.restPosition.z, 2.5f);
}
