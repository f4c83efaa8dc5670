// The vortex particle stepper against its formulas, and the back-to-front order.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "effects/particle_styles.h"
#include "gfx/random.h"

namespace {

Mesh particleMesh(std::initializer_list<Vec3> positions) {
  Mesh mesh;
  for (const Vec3& p : positions) {
    MeshVertex vertex;
    vertex.position = p;
    mesh.vertices.push_back(vertex);
  }
  return mesh;
}

}  // namespace

TEST(Particles, OneStepAroundAKnownVortexFollowsTheFormula) {
  const ParticleStyle& style = kCubetubeParticles;
  Mesh mesh = particleMesh({{3.0f, 1.0f, 2.0f}});
  mesh.vertices[0].normal = {0.5f, -0.25f, 1.0f};
  mesh.vertices[0].restPosition = {9.0f, 77.0f, 0.0f};
  const std::vector<Vortex> vortices{{{1.0f, -1.0f, 0.0f}, {}, 1.05f}};
  const ParticleView view{{0.0f, 0.0f, 10.0f}, {0.0f, 0.0f, -1.0f}};
  const float dt = 0.04f;
  std::vector<SpriteOrder> drawList;
  seedRandom(7);
  stepParticles(mesh, {1, 1}, vortices, style, dt, view, drawList);

  // The model, in double.
  const double dx = 2, dy = 2, dz = 2;
  const double q = (dx * dx + dy * dy + 2.25 * dz * dz) * 0.01;
  const double u = 1.05 / (q + 0.01);
  const double angle = dt * u * 0.005;
  const double px = 1 + std::cos(angle) * dx - std::sin(angle) * dy;
  const double py = -1 + std::sin(angle) * dx + std::cos(angle) * dy;
  const double gain = dt * u * (0.025 * u - 0.075);
  const double vx = 0.5 + dx * gain, vy = -0.25 + dy * gain, vz = 1 + dz * gain;
  const double x = px + vx * dt, y = py + vy * dt, z = 2 + vz * dt;
  seedRandom(7);
  const double r1 = nextRandom() / 32767.0, r2 = nextRandom() / 32767.0;
  const double distance2 = x * x + y * y + (z - 10) * (z - 10);
  const double size = 0.1 * r1 * r1 + 0.005 * std::min(distance2, 1000.0) + 3;

  const MeshVertex& p = mesh.vertices[0];
  EXPECT_NEAR(p.position.x, x, 1e-4);
  EXPECT_NEAR(p.position.y, y, 1e-4);
  EXPECT_NEAR(p.position.z, z, 1e-4);
  const double keep = 1 - 0.95 * dt;
  EXPECT_NEAR(p.normal.x, vx * keep, 1e-4);
  EXPECT_NEAR(p.normal.y, vy * keep, 1e-4);
  EXPECT_NEAR(p.normal.z, vz * keep, 1e-4);
  EXPECT_NEAR(p.restPosition.x, size, 1e-4);
  // The angle restarts from 0 under a vortex.
  EXPECT_NEAR(p.restPosition.y, 40 * (r2 - 0.5), 1e-3);
  ASSERT_EQ(drawList.size(), 1u);
  EXPECT_NEAR(drawList[0].depth, 10 - z, 1e-4);
}

TEST(Particles, ParticleOnAVortexGetsAFinitePull) {
  ParticleStyle style = kCubetubeParticles;
  Mesh mesh = particleMesh({{1.0f, 2.0f, 3.0f}});
  const std::vector<Vortex> vortices{{{1.0f, 2.0f, 3.0f}, {}, 1.1f}};
  std::vector<SpriteOrder> drawList;
  stepParticles(mesh, {1, 1}, vortices, style, 0.02f, {}, drawList);
  EXPECT_FLOAT_EQ(mesh.vertices[0].position.x, 1.0f);
  EXPECT_TRUE(std::isfinite(mesh.vertices[0].normal.x));
  EXPECT_TRUE(std::isfinite(mesh.vertices[0].restPosition.x));
}

TEST(Particles, FixedSeedGivesRepeatableStrengthsSizesAndAngles) {
  std::vector<Vortex> first(100), second(100);
  randomizeVortexStrengths(first);
  randomizeVortexStrengths(second);
  for (size_t j = 0; j < first.size(); ++j) {
    EXPECT_EQ(first[j].strength, second[j].strength);
    EXPECT_GE(first[j].strength, 1.0f);
    EXPECT_LE(first[j].strength, 1.1f);
  }
  // Time step 0 moves nothing but still sets sizes and angles.
  Mesh a = particleMesh({{1, 2, 3}, {4, 5, 6}}), b = a;
  std::vector<SpriteOrder> drawList;
  randomizeVortexStrengths(first);
  stepParticles(a, {2, 1}, first, kCubetubeParticles, 0.0f, {}, drawList);
  randomizeVortexStrengths(first);
  stepParticles(b, {2, 1}, first, kCubetubeParticles, 0.0f, {}, drawList);
  EXPECT_EQ(a.vertices[1].position.y, 5.0f);
  EXPECT_EQ(a.vertices[1].restPosition.x, b.vertices[1].restPosition.x);
  EXPECT_EQ(a.vertices[1].restPosition.y, b.vertices[1].restPosition.y);
}

TEST(Particles, SelectionStridesAndStopsAtTheMeshEnd) {
  EXPECT_EQ(stridedSelection(5, 5).count, 1);   // vertex 0 only
  EXPECT_EQ(stridedSelection(0, 5).count, 0);
  EXPECT_EQ(stridedSelection(11, 5).count, 3);  // 0, 5, 10
  Mesh mesh = particleMesh({{}, {}, {}, {}});
  std::vector<SpriteOrder> drawList;
  stepParticles(mesh, {3, 2}, {}, kCubetubeParticles, 0.1f, {}, drawList);
  ASSERT_EQ(drawList.size(), 2u);  // vertices 0 and 2; 4 is past the end
  appendVortices(std::vector<Vortex>(3), {3, 2}, {}, drawList);
  EXPECT_EQ(drawList.back().index, 3 + 2);
}

TEST(Particles, SortsFarthestFirstWithNotANumberNearest) {
  std::vector<SpriteOrder> list{{0, 1.0f}, {1, std::numeric_limits<float>::quiet_NaN()},
                                {2, 5.0f}, {3, -2.0f}, {4, 3.0f}};
  sortBackToFront(list);
  const int expected[] = {2, 4, 0, 3, 1};
  for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].index, expected[i]);
}
