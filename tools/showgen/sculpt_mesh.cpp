#include "tools/showgen/sculpt_mesh.h"

#include "tools/showgen/lwo2_writer.h"
#include "tools/showgen/noise.h"
#include "tools/showgen/radial_surface.h"
#include "tools/showgen/sdf.h"

namespace showgen {
namespace {

float mirroredX(Vec3 p) { return std::fabs(p.x); }

float headDistance(Vec3 p, const Noise& noise) {
  const Vec3 m{mirroredX(p), p.y, p.z};  // the face is symmetric about x = 0
  float d = sdEllipsoid(p, {0, 0.28f, -0.05f}, {0.72f, 0.8f, 0.84f});
  d = smoothUnion(d, sdEllipsoid(p, {0, -0.3f, 0.16f}, {0.48f, 0.5f, 0.52f}), 0.3f);
  d = smoothUnion(d, sdSphere(p, {0, -0.72f, 0.4f}, 0.17f), 0.18f);
  d = smoothUnion(d, sdTaperedCapsule(m, {0.32f, 0.24f, 0.56f}, {0.0f, 0.27f, 0.66f}, 0.1f, 0.08f), 0.12f);
  d = smoothUnion(d, sdSphere(m, {0.4f, -0.12f, 0.45f}, 0.17f), 0.16f);
  // Eye sockets carved out, eyeballs set back in.
  d = smoothSubtract(d, sdSphere(m, {0.25f, 0.06f, 0.7f}, 0.16f), 0.07f);
  d = smoothUnion(d, sdSphere(m, {0.25f, 0.05f, 0.56f}, 0.125f), 0.03f);
  // Nose: bridge to tip, with nostril wings.
  d = smoothUnion(d, sdTaperedCapsule(p, {0, 0.1f, 0.66f}, {0, -0.2f, 0.8f}, 0.06f, 0.1f), 0.1f);
  d = smoothUnion(d, sdSphere(m, {0.08f, -0.23f, 0.72f}, 0.065f), 0.06f);
  // Lips and the mouth line between them.
  d = smoothUnion(d, sdTaperedCapsule(m, {0.0f, -0.39f, 0.68f}, {0.16f, -0.41f, 0.6f}, 0.055f, 0.03f), 0.06f);
  d = smoothUnion(d, sdTaperedCapsule(m, {0.0f, -0.5f, 0.66f}, {0.15f, -0.45f, 0.59f}, 0.06f, 0.03f), 0.06f);
  d = smoothSubtract(d, sdEllipsoid(p, {0, -0.445f, 0.74f}, {0.17f, 0.018f, 0.1f}), 0.02f);
  // Ears.
  d = smoothUnion(d, sdEllipsoid(m, {0.72f, 0.02f, -0.05f}, {0.09f, 0.26f, 0.16f}), 0.08f);
  d = smoothSubtract(d, sdEllipsoid(m, {0.8f, 0.02f, -0.03f}, {0.05f, 0.16f, 0.09f}), 0.04f);
  // Neck, cut flat at the bottom.
  const float neck = sdTaperedCapsule(p, {0, -0.45f, -0.12f}, {0, -1.5f, -0.2f}, 0.34f, 0.4f);
  d = smoothUnion(d, smoothIntersect(neck, -(p.y + 1.25f), 0.05f), 0.2f);
  // Sculpted surface: fine weathering over broad modelling.
  return d + 0.012f * noise.fbm3(p * 5.0f, 3) + 0.02f * noise.noise3(p * 1.7f);
}

}  // namespace

PolyMesh makeSculptedHead() {
  const Noise noise(404);
  RadialSurfaceSettings settings;
  settings.centre = {0, -0.12f, 0.1f};
  settings.maxRadius = 2.0f;
  settings.frequency = 28;
  settings.relaxIterations = 10;
  return meshRadialSurface([&](Vec3 p) { return headDistance(p, noise); }, settings);
}

GeneratedFiles generateSculptMesh() {
  return {{"quarno/meshes/paeae4.lwo", writeLwo2(makeSculptedHead())}};
}

}  // namespace showgen
