#include <gtest/gtest.h>

#include <cmath>

#include "gfx/mesh_draw.h"
#include "gfx/mesh_lwo2.h"
#include "tests/gfx/lwo2_builder.h"

namespace {

std::vector<int> corners(const MeshTriangle& t) { return {t.a, t.b, t.c}; }

void expectVec(const Vec3& v, float x, float y, float z) {
  EXPECT_FLOAT_EQ(v.x, x);
  EXPECT_FLOAT_EQ(v.y, y);
  EXPECT_FLOAT_EQ(v.z, z);
}

// A unit square in the xy plane, corners counter-clockwise from the origin.
std::vector<uint8_t> squarePoints() { return Lwo2Builder::points({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}); }

}  // namespace

TEST(Lwo2, QuadSplitsIntoTwoTrianglesInOrderAndRegistersThemWithTheirCorners) {
  Lwo2Builder file;
  file.chunk("PNTS", squarePoints());
  file.chunk("POLS", Lwo2Builder::polygons("FACE", {{0, 1, 2, 3}}));
  const Mesh mesh = parseLwo2(file.finish());
  ASSERT_EQ(mesh.vertexCount(), 4);
  ASSERT_EQ(mesh.triangleCount(), 2);
  EXPECT_EQ(corners(mesh.triangles[0]), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(corners(mesh.triangles[1]), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(mesh.vertices[0].triangleList, (std::vector<int>{0, 1}));
  EXPECT_EQ(mesh.vertices[1].triangleList, (std::vector<int>{0}));
  EXPECT_EQ(mesh.vertices[3].triangleList, (std::vector<int>{1}));
  EXPECT_EQ(mesh.triangles[1].cornerCount, 3);
}

TEST(Lwo2, OtherPolygonsAreDroppedWithoutDisturbingTheOnesAfterThem) {
  Lwo2Builder file;
  file.chunk("PNTS", Lwo2Builder::points({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 0, 2, 0}));
  file.chunk("POLS", Lwo2Builder::polygons("FACE", {{0, 1, 2, 3, 4}, {0, 1}, {0, 1, 2}, {1, 2, 3, 4}}));
  const Mesh mesh = parseLwo2(file.finish());
  ASSERT_EQ(mesh.triangleCount(), 3);
  EXPECT_EQ(corners(mesh.triangles[0]), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(corners(mesh.triangles[1]), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(corners(mesh.triangles[2]), (std::vector<int>{1, 3, 4}));
}

TEST(Lwo2, OddChunksArePaddedAndUnknownChunksAndPolygonTypesSkipped) {
  Lwo2Builder file;
  file.chunk("TAGS", {'s', 'k', 'i', 'n', 0});  // odd size: one pad byte follows
  file.chunk("PNTS", Lwo2Builder::points({0, 0, 0, 1, 0, 0}));
  file.chunk("PNTS", Lwo2Builder::points({1, 1, 0, 0, 1, 0}));  // appended to the same array
  file.chunk("POLS", Lwo2Builder::polygons("CURV", {{0, 1, 2}}));
  file.chunk("VMAP", {'T', 'X', 'U', 'V', 0, 2, 'u', 'v', 0});
  file.chunk("POLS", Lwo2Builder::polygons("PTCH", {{3, 2, 1}}));
  const Mesh mesh = parseLwo2(file.finish());
  ASSERT_EQ(mesh.vertexCount(), 4);
  expectVec(mesh.vertices[2].position, 1, 1, 0);
  ASSERT_EQ(mesh.triangleCount(), 1);
  EXPECT_EQ(corners(mesh.triangles[0]), (std::vector<int>{3, 2, 1}));
}

TEST(Lwo2, CornerCountIsTheLowTenBitsOfThePolygonHeader) {
  Lwo2Builder file;
  file.chunk("PNTS", squarePoints());
  std::vector<uint8_t> pols = {'F', 'A', 'C', 'E', 0xFC, 0x03, 0, 0, 0, 1, 0, 2};
  file.chunk("POLS", pols);
  EXPECT_EQ(parseLwo2(file.finish()).triangleCount(), 1);
}

TEST(Lwo2, PolygonNamingAMissingPointIsDroppedAndTheRestKept) {
  Lwo2Builder file;
  file.chunk("PNTS", squarePoints());
  file.chunk("POLS", Lwo2Builder::polygons("FACE", {{0, 1, 9}, {0, 1, 2, 4}, {2, 3, 0}}));
  const Mesh mesh = parseLwo2(file.finish());
  ASSERT_EQ(mesh.triangleCount(), 1);
  EXPECT_EQ(corners(mesh.triangles[0]), (std::vector<int>{2, 3, 0}));
}

TEST(Lwo2, ChunksCutShortYieldWhatTheyFullyHold) {
  Lwo2Builder points;
  points.tag("PNTS");
  points.u32(36);  // three points promised, two and a half present
  for (const float c : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 1.f, 1.f}) points.f32(c);
  const Mesh fromPoints = parseLwo2(points.finish());
  EXPECT_EQ(fromPoints.vertexCount(), 2);
  EXPECT_EQ(fromPoints.triangleCount(), 0);

  Lwo2Builder polygons;
  polygons.chunk("PNTS", squarePoints());
  polygons.tag("POLS");
  polygons.u32(0xFFFFFFF0u);  // a size far past the end
  polygons.tag("FACE");
  for (const int v : {3, 0, 1, 2, 4, 0, 1}) polygons.u16(v);  // the quad is cut off
  const Mesh fromPolygons = parseLwo2(polygons.finish());
  EXPECT_EQ(fromPolygons.triangleCount(), 1);

  for (size_t keep = 0; keep < 12; ++keep) {
    const std::vector<uint8_t> header = Lwo2Builder().finish();
    EXPECT_EQ(parseLwo2(std::span(header).first(keep)).vertexCount(), 0);
  }
}

TEST(Lwo2, OtherFormTypesGiveAnEmptyMesh) {
  Lwo2Builder file;
  file.bytes[11] = 'B';
  file.chunk("PNTS", squarePoints());
  EXPECT_EQ(parseLwo2(file.finish()).vertexCount(), 0);
}

TEST(Lwo2, ProjectionUsesTheBoxFromBboxOrFromThePoints) {
  // Box 4 x 2 x 2: u = p.x / (4 + 1), v = p.y / (2 + 1).
  Lwo2Builder file;
  file.chunk("PNTS", Lwo2Builder::points({-1, 0, 0, 3, 2, 2, 1, 1, 1}));
  const Mesh fromPoints = parseLwo2(file.bytes);
  expectVec(fromPoints.vertices[0].uv[0], 0, 0, 0);
  expectVec(fromPoints.vertices[1].uv[0], 4.0f / 5, 2.0f / 3, 0);
  expectVec(fromPoints.vertices[2].uv[0], 2.0f / 5, 1.0f / 3, 0);

  file.chunk("BBOX", Lwo2Builder::points({-1, 0, 0, 9, 10, 0}));
  const Mesh fromBox = parseLwo2(file.finish());
  expectVec(fromBox.vertices[1].uv[0], 0.4f, 0.2f, 0);

  MeshProjection swapped;
  swapped.uAxis = {0, 1, 0};
  swapped.vAxis = {1, 0, 1};
  swapped.uvOffset = {0.5f, 0.25f, 7};
  const Mesh projected = parseLwo2(file.bytes, swapped);
  expectVec(projected.vertices[1].uv[0], 0.2f + 0.5f, 0.4f + 2 + 0.25f, 0);
}

TEST(Lwo2, FlatBoxDoesNotDivideByZero) {
  Lwo2Builder file;
  file.chunk("PNTS", Lwo2Builder::points({0, 0, 0, 0, 2, 0}));
  const Mesh mesh = parseLwo2(file.finish());
  expectVec(mesh.vertices[1].uv[0], 0, 1, 0);
}

TEST(MeshNormals, LoadNormalsFollowTheWindingAndUnusedVerticesKeepZero) {
  Lwo2Builder file;
  file.chunk("PNTS", Lwo2Builder::points({0, 0, 0, 2, 0, 0, 0, 2, 0, 5, 5, 5}));
  file.chunk("POLS", Lwo2Builder::polygons("FACE", {{0, 1, 2}}));
  const std::vector<uint8_t> bytes = file.finish();
  const Mesh mesh = parseLwo2(bytes);
  expectVec(mesh.triangles[0].faceNormal, 0, 0, 1);
  expectVec(mesh.vertices[0].normal, 0, 0, 1);
  expectVec(mesh.vertices[3].normal, 0, 0, 0);
  expectVec(mesh.vertices[3].tangent, 1, 0, 0);
  expectVec(mesh.vertices[3].color, 1, 1, 1);
  expectVec(parseLwo2(bytes, {}, true).vertices[2].normal, 0, 0, -1);
}

TEST(MeshNormals, VertexNormalIsTheNormalisedSumOfUnnormalisedFaces) {
  // A large face facing +z and a small one facing -x share vertex 0; at load
  // time the large face dominates.
  Lwo2Builder file;
  file.chunk("PNTS", Lwo2Builder::points({0, 0, 0, 0, 1, 0, 4, 0, 0, 0, 0, -1}));
  file.chunk("POLS", Lwo2Builder::polygons("FACE", {{0, 2, 1}, {0, 1, 3}}));
  Mesh mesh = parseLwo2(file.finish());
  const float s = 1.0f / std::sqrt(17.0f);
  expectVec(mesh.vertices[0].normal, -s, 0, 4 * s);
  // Recomputed, both faces weigh the same and the result is negated.
  recomputeNormals(mesh, false);
  const float h = 1.0f / std::sqrt(2.0f);
  expectVec(mesh.vertices[0].normal, h, 0, -h);
  expectVec(mesh.triangles[0].faceNormal, 0, 0, 1);
  recomputeNormals(mesh, true);
  expectVec(mesh.vertices[0].normal, -h, 0, h);
  expectVec(mesh.triangles[1].faceNormal, 1, 0, 0);
  expectVec(mesh.vertices[3].normal, -1, 0, 0);
}

TEST(MeshDrawing, TriangleUsesASeamSetOnlyWhenAllCornersCarryTheFlag) {
  Mesh mesh;
  mesh.vertices.resize(3);
  addTriangle(mesh, 0, 1, 2);
  const MeshTriangle& t = mesh.triangles[0];
  EXPECT_EQ(textureSetForTriangle(mesh, t), 0);
  for (MeshVertex& v : mesh.vertices) v.flags = 1;
  EXPECT_EQ(textureSetForTriangle(mesh, t), 1);
  mesh.vertices[0].flags = 1 | 2 | 4;
  mesh.vertices[1].flags = 1 | 2;
  mesh.vertices[2].flags = 1 | 2 | 4;
  EXPECT_EQ(textureSetForTriangle(mesh, t), 2);
  mesh.vertices[1].flags = 7;
  EXPECT_EQ(textureSetForTriangle(mesh, t), 3);
}
