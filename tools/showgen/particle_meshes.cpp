#include "tools/showgen/particle_meshes.h"

#include <cmath>
#include <numbers>

#include "tools/showgen/lwo2_writer.h"
#include "tools/showgen/random.h"

namespace showgen {
namespace {


Vec3 randomDirection(Lcg& random) {
  const float z = static_cast<float>(random.range(-1, 1));
  const float angle = static_cast<float>(random.range(0, kTwoPi));
  const float ring = std::sqrt(1 - z * z);
  return {ring * std::cos(angle), ring * std::sin(angle), z};
}

Vec3 perpendicular(Vec3 v) {
  return normalizeSingle(std::fabs(v.x) < 0.9f ? crossSingle(v, {1, 0, 0}) : crossSingle(v, {0, 1, 0}));
}

}  // namespace

PolyMesh makeDots() {
  Lcg random(2024);
  PolyMesh mesh;
  for (int dot = 0; dot < kDotCount; ++dot) {
    // A thick shell, denser towards its inside.
    const float radius = 0.6f + 1.4f * static_cast<float>(std::sqrt(random.uniform()));
    const Vec3 centre = randomDirection(random) * radius;
    const Vec3 normal = randomDirection(random);
    const Vec3 u = perpendicular(normal);
    const Vec3 v = crossSingle(normal, u);
    const float size = static_cast<float>(random.range(0.012, 0.03));
    const uint32_t first = static_cast<uint32_t>(mesh.points.size());
    for (int corner = 0; corner < 3; ++corner) {
      const float angle = corner * kTwoPi / 3;
      mesh.points.push_back(centre + (u * std::cos(angle) + v * std::sin(angle)) * size);
    }
    mesh.addTriangle(first, first + 1, first + 2);
  }
  return mesh;
}

PolyMesh makeParticleCloud() {
  Lcg random(4711);
  PolyMesh mesh;
  // A flattened spiral of four arms around a dense core, with some stray
  // points in a halo.
  for (int i = 0; i < kCloudPointCount; ++i) {
    const double pick = random.uniform();
    // Each draw is its own statement: the order of operands in one
    // expression is up to the compiler, and the sequence must not be.
    if (pick < 0.2) {
      const Vec3 direction = randomDirection(random);
      mesh.points.push_back(direction * static_cast<float>(0.35 * std::cbrt(random.uniform())));
    } else if (pick < 0.85) {
      const float along = static_cast<float>(random.uniform());
      const int arm = random.next() % 4;
      const float angle = arm * kTwoPi / 4 + along * 3.2f + static_cast<float>(random.range(-0.25, 0.25));
      const float radius = 0.3f + 1.5f * along;
      const float height = static_cast<float>(random.range(-0.12, 0.12)) * (1.2f - along);
      mesh.points.push_back({radius * std::cos(angle), height, radius * std::sin(angle)});
    } else {
      const Vec3 direction = randomDirection(random);
      mesh.points.push_back(direction * static_cast<float>(random.range(0.8, 2.0)));
    }
  }
  return mesh;
}

PolyMesh makeVortexDisc() {
  Lcg random(8086);
  PolyMesh mesh;
  for (int i = 0; i < kVortexDiscPointCount; ++i) {
    const float radius = 2.0f + 13.0f * static_cast<float>(std::sqrt(random.uniform()));
    const float angle = static_cast<float>(random.range(0, kTwoPi));
    const float depth = static_cast<float>(random.range(-2, 2)) - 45.0f;
    mesh.points.push_back({radius * std::cos(angle), radius * std::sin(angle), depth});
  }
  return mesh;
}

PolyMesh makeSwimTrail() {
  Lcg random(6502);
  PolyMesh mesh;
  for (int i = 0; i < kSwimPointCount; ++i) {
    const float x = static_cast<float>(random.range(-30, 30));
    const float y = static_cast<float>(random.range(-15, 15));
    const float z = static_cast<float>(random.range(-100, -30));
    mesh.points.push_back({x, y, z});
  }
  return mesh;
}

PolyMesh makeSwimBall() {
  Lcg random(68000);
  PolyMesh mesh;
  for (int i = 0; i < kSwimPointCount; ++i) {
    const Vec3 direction = randomDirection(random);
    mesh.points.push_back(direction * static_cast<float>(14.0 * std::cbrt(random.uniform())));
  }
  return mesh;
}

GeneratedFiles generateParticleMeshes() {
  return {{"quarno/meshes/dots.lwo", writeLwo2(makeDots())},
          {"quarno/meshes/particles.lwo", writeLwo2(makeParticleCloud())},
          {"quarno/meshes/vortex_disc.lwo", writeLwo2(makeVortexDisc())},
          {"quarno/meshes/swim_trail.lwo", writeLwo2(makeSwimTrail())},
          {"quarno/meshes/swim_ball.lwo", writeLwo2(makeSwimBall())}};
}

}  // namespace showgen
