#include "tools/showgen/blob_meshes.h"

#include <cmath>
#include <numbers>

#include "tools/showgen/lwo2_writer.h"
#include "tools/showgen/noise.h"
#include "tools/showgen/radial_surface.h"
#include "tools/showgen/random.h"
#include "tools/showgen/sdf.h"

namespace showgen {
namespace {

constexpr int kArmCount = 6;
constexpr float kBlend = 0.22f;
// Arms start bending this far from the vertical axis; the bend grows along the
// arm to kTipBend radians at kArmReach.
constexpr float kBendStart = 0.42f;
constexpr float kArmReach = 1.9f;
constexpr float kTipBend = 3.2f;

struct Arm {
  Vec3 tip;
  Vec3 bulge;
  float bulgeRadius;
};

std::vector<Arm> makeArms() {
  Lcg random(6061);
  std::vector<Arm> arms;
  for (int i = 0; i < kArmCount; ++i) {
    const float azimuth = static_cast<float>(i * 2 * std::numbers::pi / kArmCount + random.range(-0.18, 0.18));
    const float elevation = static_cast<float>(random.range(-0.2, 0.3));
    const float reach = static_cast<float>(random.range(1.55, kArmReach));
    const Vec3 direction{std::cos(azimuth) * std::cos(elevation), std::sin(elevation),
                         std::sin(azimuth) * std::cos(elevation)};
    arms.push_back({direction * reach, direction * (reach * 0.55f),
                    static_cast<float>(random.range(0.19, 0.25))});
  }
  return arms;
}

}  // namespace

PolyMesh makeOpenBlob() {
  const std::vector<Arm> arms = makeArms();
  const Noise noise(77);
  auto distance = [&](Vec3 p) {
    float d = sdEllipsoid(p, {0, 0.05f, 0}, {0.66f, 0.58f, 0.66f});
    d = smoothUnion(d, sdSphere(p, {0, 0.42f, 0}, 0.34f), kBlend);
    for (const Arm& arm : arms) {
      d = smoothUnion(d, sdTaperedCapsule(p, arm.tip * 0.15f, arm.tip, 0.3f, 0.1f), kBlend);
      d = smoothUnion(d, sdSphere(p, arm.bulge, arm.bulgeRadius), kBlend);
      d = smoothUnion(d, sdSphere(p, arm.tip, 0.14f), 0.12f);
    }
    return d + 0.022f * noise.fbm3(p * 2.6f, 3);
  };
  RadialSurfaceSettings settings;
  settings.centre = {0, 0.02f, 0};
  settings.maxRadius = 2.6f;
  settings.frequency = 28;
  settings.relaxIterations = 14;
  return meshRadialSurface(distance, settings);
}

namespace {

// Where a point of an arm goes when that arm curls up: the arm's centre line
// is bent with a curvature that ramps in smoothly past kBendStart, and the
// point keeps its offsets from the centre line.
Vec3 bendAlongArm(Vec3 p, Vec3 direction) {
  const Vec3 up = normalizeSingle(Vec3{0, 1, 0} - direction * direction.y);
  const Vec3 side = crossSingle(direction, up);
  const float along = dotSingle(p, direction) - kBendStart;
  if (along <= 0) return p;
  const float curvature = kTipBend / (kArmReach - kBendStart - 0.25f);
  auto curvatureAt = [&](float s) { return curvature * smoothstep(0.0f, 0.5f, s); };
  constexpr int kSteps = 48;
  const float ds = along / kSteps;
  float u = kBendStart, v = 0, angle = 0;
  for (int step = 0; step < kSteps; ++step) {
    const float turn = curvatureAt((step + 0.5f) * ds) * ds;
    u += std::cos(angle + 0.5f * turn) * ds;
    v += std::sin(angle + 0.5f * turn) * ds;
    angle += turn;
  }
  const float lift = dotSingle(p, up);
  u -= std::sin(angle) * lift;
  v += std::cos(angle) * lift;
  return direction * u + up * v + side * dotSingle(p, side);
}

}  // namespace

PolyMesh foldBlobShut(const PolyMesh& open) {
  const std::vector<Arm> arms = makeArms();
  PolyMesh shut = open;
  // Each point follows the arms around it, weighted by how close it lies to
  // each arm's heading, so the body between arms bends without tearing.
  for (Vec3& p : shut.points) {
    const Vec3 heading = normalizeSingle(Vec3{p.x, 0, p.z});
    Vec3 sum{0, 0, 0};
    float weightSum = 0;
    for (const Arm& arm : arms) {
      const Vec3 direction = normalizeSingle(arm.tip);
      const float cosine = dotSingle(heading, normalizeSingle(Vec3{direction.x, 0, direction.z}));
      const float weight = std::exp(8.0f * (cosine - 1.0f));
      sum = sum + bendAlongArm(p, direction) * weight;
      weightSum += weight;
    }
    p = sum * (1.0f / weightSum);
  }
  return shut;
}

GeneratedFiles generateBlobMeshes() {
  const PolyMesh open = makeOpenBlob();
  const PolyMesh shut = foldBlobShut(open);
  return {{"quarno/meshes/vurivev_meta_open.lwo", writeLwo2(open)},
          {"quarno/meshes/vurivev_meta_close2.lwo", writeLwo2(shut)}};
}

}  // namespace showgen
