// The generated LWO2 files read back through the engine's own loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>

#include "gfx/mesh_lwo2.h"
#include "tools/showgen/blob_meshes.h"
#include "tools/showgen/letter_meshes.h"
#include "tools/showgen/lwo2_writer.h"
#include "tools/showgen/particle_meshes.h"
#include "tools/showgen/sculpt_mesh.h"

namespace {

using showgen::GeneratedFiles;

const std::vector<uint8_t>& fileBytes(const GeneratedFiles& files, const std::string& path) {
  for (const auto& file : files) {
    if (file.path == path) return file.bytes;
  }
  static const std::vector<uint8_t> none;
  ADD_FAILURE() << "no generated file " << path;
  return none;
}

Mesh load(const GeneratedFiles& files, const std::string& path) { return parseLwo2(fileBytes(files, path)); }

float crossLength(const Mesh& mesh, const MeshTriangle& t) {
  const Vec3 a = mesh.vertices[t.a].position, b = mesh.vertices[t.b].position,
             c = mesh.vertices[t.c].position;
  const Vec3 ab{b.x - a.x, b.y - a.y, b.z - a.z}, ac{c.x - a.x, c.y - a.y, c.z - a.z};
  const Vec3 n{ab.y * ac.z - ab.z * ac.y, ab.z * ac.x - ab.x * ac.z, ab.x * ac.y - ab.y * ac.x};
  return std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
}

// Enclosed volume by the divergence theorem: positive when the triangles face
// outwards.
double signedVolume(const Mesh& mesh) {
  double volume = 0;
  for (const MeshTriangle& t : mesh.triangles) {
    const Vec3 a = mesh.vertices[t.a].position, b = mesh.vertices[t.b].position,
               c = mesh.vertices[t.c].position;
    volume += (a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) +
               a.z * (b.x * c.y - b.y * c.x)) / 6.0;
  }
  return volume;
}

void expectSmoothClosedSurface(const Mesh& mesh, int minTriangles, int maxTriangles) {
  EXPECT_GE(mesh.triangleCount(), minTriangles);
  EXPECT_LE(mesh.triangleCount(), maxTriangles);
  for (const MeshTriangle& t : mesh.triangles) {
    ASSERT_GT(crossLength(mesh, t), 1e-7f) << "degenerate triangle " << t.a << " " << t.b << " " << t.c;
  }
  // Every edge of a closed surface is shared by exactly two triangles, once
  // in each direction.
  std::map<std::pair<int, int>, int> directedEdges;
  for (const MeshTriangle& t : mesh.triangles) {
    for (auto edge : {std::pair{t.a, t.b}, std::pair{t.b, t.c}, std::pair{t.c, t.a}}) ++directedEdges[edge];
  }
  for (const auto& [edge, count] : directedEdges) {
    ASSERT_EQ(count, 1);
    ASSERT_EQ(directedEdges.count({edge.second, edge.first}), 1u);
  }
  EXPECT_GT(signedVolume(mesh), 0.0);
}

TEST(GeneratedMeshes, BlobShapesShareVerticesAndTriangles) {
  const GeneratedFiles files = showgen::generateBlobMeshes();
  const Mesh open = load(files, "quarno/meshes/vurivev_meta_open.lwo");
  const Mesh shut = load(files, "quarno/meshes/vurivev_meta_close2.lwo");
  expectSmoothClosedSurface(open, 4000, 20000);
  expectSmoothClosedSurface(shut, 4000, 20000);
  ASSERT_EQ(open.vertexCount(), shut.vertexCount());
  ASSERT_EQ(open.triangleCount(), shut.triangleCount());
  for (int i = 0; i < open.triangleCount(); ++i) {
    ASSERT_EQ(open.triangles[i].a, shut.triangles[i].a);
    ASSERT_EQ(open.triangles[i].b, shut.triangles[i].b);
    ASSERT_EQ(open.triangles[i].c, shut.triangles[i].c);
  }
  // Folding shut draws the arms in: the shut shape spans less across.
  auto widest = [](const Mesh& mesh) {
    float extent = 0;
    for (const MeshVertex& v : mesh.vertices) extent = std::max(extent, std::hypot(v.position.x, v.position.z));
    return extent;
  };
  EXPECT_LT(widest(shut), 0.75f * widest(open));
}

TEST(GeneratedMeshes, SculptIsOneClosedDetailedSurface) {
  const Mesh head = load(showgen::generateSculptMesh(), "quarno/meshes/paeae4.lwo");
  expectSmoothClosedSurface(head, 5000, 20000);
}

TEST(GeneratedMeshes, DotsAreSeparateSmallTriangles) {
  const Mesh dots = load(showgen::generateParticleMeshes(), "quarno/meshes/dots.lwo");
  ASSERT_EQ(dots.triangleCount(), showgen::kDotCount);
  ASSERT_EQ(dots.vertexCount(), 3 * dots.triangleCount());
  for (const MeshVertex& v : dots.vertices) ASSERT_EQ(v.triangleList.size(), 1u);
  for (const MeshTriangle& t : dots.triangles) {
    EXPECT_GT(crossLength(dots, t), 1e-6f);
    EXPECT_LT(crossLength(dots, t), 0.01f);
  }
}

TEST(GeneratedMeshes, ParticleCloudIsPointsAroundTheOrigin) {
  const Mesh cloud = load(showgen::generateParticleMeshes(), "quarno/meshes/particles.lwo");
  EXPECT_GE(cloud.vertexCount(), 1000);
  EXPECT_LE(cloud.vertexCount(), 4000);
  Vec3 sum{};
  for (const MeshVertex& v : cloud.vertices) {
    EXPECT_LT(std::sqrt(v.position.x * v.position.x + v.position.y * v.position.y + v.position.z * v.position.z), 2.5f);
    sum = {sum.x + v.position.x, sum.y + v.position.y, sum.z + v.position.z};
  }
  EXPECT_LT(std::fabs(sum.x / cloud.vertexCount()), 0.2f);
  EXPECT_LT(std::fabs(sum.y / cloud.vertexCount()), 0.2f);
  EXPECT_LT(std::fabs(sum.z / cloud.vertexCount()), 0.2f);
}

TEST(GeneratedMeshes, LetterFileNamesFollowTheLoader) {
  EXPECT_EQ(showgen::letterFileName("quarno/meshes/123and/font_", 33), "quarno/meshes/123and/font_033.lwo");
  EXPECT_EQ(showgen::letterFileName("quarno/meshes/123and/font_", 99), "quarno/meshes/123and/font_099.lwo");
  EXPECT_EQ(showgen::letterFileName("quarno/meshes/font/porscha_", 100), "quarno/meshes/font/porscha_100.lwo");
  EXPECT_EQ(showgen::letterFileName("quarno/meshes/font/porscha_", 126), "quarno/meshes/font/porscha_126.lwo");
}

// Every printable character of both sets is a solid letter: non-empty, facing
// outwards, as thick as the extrusion, and its volume is its cap area times
// the depth (walls missing or turned inwards would change it).
TEST(GeneratedMeshes, EveryLetterIsAClosedExtrudedSolid) {
  const GeneratedFiles files = showgen::generateLetterMeshes();
  ASSERT_EQ(files.size(), 2u * (showgen::kLastLetter - showgen::kFirstLetter + 1));
  for (const char* prefix : {"quarno/meshes/123and/font_", "quarno/meshes/font/porscha_"}) {
    for (int code = showgen::kFirstLetter; code <= showgen::kLastLetter; ++code) {
      const std::string path = showgen::letterFileName(prefix, code);
      const Mesh letter = load(files, path);
      ASSERT_GT(letter.triangleCount(), 0) << path;
      double frontArea = 0;
      float minZ = 1e9f, maxZ = -1e9f;
      for (const MeshVertex& v : letter.vertices) {
        minZ = std::min(minZ, v.position.z);
        maxZ = std::max(maxZ, v.position.z);
      }
      for (const MeshTriangle& t : letter.triangles) {
        const float z = showgen::kLetterDepth / 2;
        if (letter.vertices[t.a].position.z == z && letter.vertices[t.b].position.z == z &&
            letter.vertices[t.c].position.z == z) {
          frontArea += crossLength(letter, t) / 2;
        }
      }
      EXPECT_FLOAT_EQ(maxZ - minZ, showgen::kLetterDepth) << path;
      EXPECT_NEAR(signedVolume(letter), frontArea * showgen::kLetterDepth, 0.01 * frontArea) << path;
    }
  }
}

TEST(GeneratedMeshes, LettersStandOnTheBaselineWithCapHeightOne) {
  const GeneratedFiles files = showgen::generateLetterMeshes();
  for (const char* prefix : {"quarno/meshes/123and/font_", "quarno/meshes/font/porscha_"}) {
    const Mesh h = load(files, showgen::letterFileName(prefix, 'H'));
    float minY = 1e9f, maxY = -1e9f;
    for (const MeshVertex& v : h.vertices) {
      minY = std::min(minY, v.position.y);
      maxY = std::max(maxY, v.position.y);
    }
    EXPECT_NEAR(minY, 0.0f, 1e-4f) << prefix;
    EXPECT_NEAR(maxY, 1.0f, 1e-4f) << prefix;
    // A descender goes below the baseline.
    const Mesh g = load(files, showgen::letterFileName(prefix, 'g'));
    float gMin = 1e9f;
    for (const MeshVertex& v : g.vertices) gMin = std::min(gMin, v.position.y);
    EXPECT_LT(gMin, -0.15f) << prefix;
  }
}

TEST(GeneratedMeshes, TwoRunsGiveTheSameBytes) {
  for (auto generate : {showgen::generateBlobMeshes, showgen::generateSculptMesh,
                        showgen::generateParticleMeshes, showgen::generateLetterMeshes}) {
    const GeneratedFiles first = generate();
    const GeneratedFiles second = generate();
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
      EXPECT_EQ(first[i].path, second[i].path);
      EXPECT_TRUE(first[i].bytes == second[i].bytes) << first[i].path;
    }
  }
}

}  // namespace
