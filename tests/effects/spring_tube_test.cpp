// The spring tube simulation: sub-step counts, positions after n sub-steps
// against a model of one vertex, repeatability and the snap-backs.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "effects/spring_tube.h"

namespace {

// One body vertex of the gliding tube, simulated alone (its anchor spring
// depends on nothing else), with its own copy of the path state.
struct GlidingVertexModel {
  double px, py, pz;         // body position
  double rx, ry, rz;         // anchor rest position
  double vx = 0, vy = 0, vz = 0;
  double prevX = 0, prevZ = 0, heading = 0, roll = 0;

  void subStep(double tau) {
    const double wx = std::sin(tau / 2) - 10 * tau, wz = std::cos(tau / 2);
    const double dx = prevX - wx, dz = prevZ - wz;
    prevX = wx;
    prevZ = wz;
    double angle = dx == 0 ? (dz >= 0 ? M_PI / 2 : -M_PI / 2) : std::atan(dz / dx) + (dx < 0 ? M_PI : 0);
    const double sway = std::sin(3.5 * tau);
    const double rise = tau < 0.5 ? 0 : std::min(tau - 0.5, 1.0);
    const double lift = std::pow((std::sin(tau) + 1) / 2, 8) * rise * sway * 10.5;
    heading += (-angle - heading) * 0.02;
    roll += (5 * (dx * dx + dz * dz) + lift - roll) * 0.015;
    // rest rotated about y by heading, then about z by roll
    const double x1 = std::cos(heading) * rx + std::sin(heading) * rz;
    const double z1 = std::cos(heading) * rz - std::sin(heading) * rx;
    const double x2 = std::cos(roll) * x1 - std::sin(roll) * ry;
    const double y2 = std::sin(roll) * x1 + std::cos(roll) * ry;
    const double ax = x2 + wz, ay = y2 + rise * std::cos(sway) + roll, az = z1 + wx;
    vx += (ax - px) * 5 - vx * 0.1;
    vy += (ay - py) * 5 - vy * 0.1;
    vz += (az - pz) * 5 - vz * 0.1;
    const double mobility = 0.01 / (rx * rx + ry * ry + rz * rz + 0.2);
    px += vx * mobility;
    py += vy * mobility;
    pz += vz * mobility;
  }
};

}  // namespace

TEST(SpringTube, BuildsTheSpindleAndItsSprings) {
  const SpringTube tube = buildSpringTube();
  ASSERT_EQ(tube.body.vertexCount(), 1040);
  EXPECT_EQ(tube.body.triangleCount(), 1920);
  EXPECT_EQ(tube.springs.size(), 1040u + 3u * 1920u);
  // Tapered: at x = 8 the section shrinks by (1 - 0.5)^4.
  const MeshVertex& v = tube.body.vertices[48 * 16 + 8];
  EXPECT_FLOAT_EQ(v.position.x, 8.0f);
  EXPECT_FLOAT_EQ(v.position.y, 0.5f * 0.0625f);
  EXPECT_FLOAT_EQ(v.restPosition.z, tube.anchor.vertices[48 * 16 + 8].restPosition.z);
  const Spring& edge = tube.springs[1040 + 2];  // (c, a) of triangle 0: vertex 16 -> 0
  EXPECT_EQ(edge.first, 16);
  EXPECT_EQ(edge.second, 0);
  EXPECT_FLOAT_EQ(edge.restLength, 0.5f);  // along x only, same outline point
}

TEST(SpringTube, SubStepsAreFixedAndCapped) {
  SpringTube tube = buildSpringTube();
  SwimState state;
  EXPECT_EQ(simulateSpringTube(tube, state, SwimPath::Glide, 3.0f, 3.0f, 0.0f), 1);
  EXPECT_EQ(simulateSpringTube(tube, state, SwimPath::Glide, 3.0f, 3.0f, 0.2f), 16);
  EXPECT_EQ(simulateSpringTube(tube, state, SwimPath::Glide, 3.0f, 3.0f, 0.045f), 5);
}

TEST(SpringTube, GlidingVertexFollowsTheModelOverManySubSteps) {
  SpringTube tube = buildSpringTube();
  SwimState state;
  const int vertex = 40 * 16 + 3;
  const MeshVertex& rest = tube.body.vertices[size_t(vertex)];
  GlidingVertexModel model{rest.position.x, rest.position.y, rest.position.z,
                           rest.restPosition.x, rest.restPosition.y, rest.restPosition.z};
  const float start = 100.0f, frame = 0.035f;  // 4 sub-steps per frame
  for (int f = 0; f < 30; ++f) {
    ASSERT_EQ(simulateSpringTube(tube, state, SwimPath::Glide, start + f * frame, start, frame), 4);
    for (int s = 0; s < 4; ++s) model.subStep(f * 0.035 + s * 0.01);
  }
  const Vec3& p = tube.body.vertices[size_t(vertex)].position;
  EXPECT_NEAR(p.x, model.px, 2e-3);
  EXPECT_NEAR(p.y, model.py, 2e-3);
  EXPECT_NEAR(p.z, model.pz, 2e-3);
  EXPECT_GT(std::fabs(p.z - rest.restPosition.z), 1.0f);  // it really swam
}

TEST(SpringTube, SameFramesGiveIdenticalTubes) {
  SpringTube a = buildSpringTube(), b = buildSpringTube();
  SwimState stateA, stateB;
  for (int f = 0; f < 20; ++f) {
    simulateSpringTube(a, stateA, SwimPath::Tumble, 50.0f + f / 30.0f, 49.0f, 1 / 30.0f);
    simulateSpringTube(b, stateB, SwimPath::Tumble, 50.0f + f / 30.0f, 49.0f, 1 / 30.0f);
  }
  for (size_t i = 0; i < a.body.vertices.size(); ++i) {
    ASSERT_EQ(a.body.vertices[i].position.x, b.body.vertices[i].position.x);
    ASSERT_EQ(a.body.vertices[i].position.y, b.body.vertices[i].position.y);
  }
}

// The reading picked for a stray vertex: exactly onto its anchor, at rest,
// with no spring step added that sub-step (the step, from the velocity that
// threw it away, would put it 1000 x mobility units off again). Both kinds;
// in springer a far vertex's edges snap it onto the anchor first, so there
// the guard is seen on a vertex lost to a non-finite value.
TEST(SpringTube, FarOrLostVerticesReturnExactlyOntoTheAnchorAtRest) {
  for (const SwimPath path : {SwimPath::Glide, SwimPath::Tumble}) {
    SpringTube tube = buildSpringTube();
    SwimState state;
    tube.body.vertices[5].position.y += 200.0f;
    tube.springs[5].velocity = {3.0f, -4.0f, 5.0f};
    tube.body.vertices[6].position.x = NAN;
    simulateSpringTube(tube, state, path, 1.0f, 1.0f, 0.0f);
    for (const int i : path == SwimPath::Glide ? std::vector<int>{5, 6} : std::vector<int>{6}) {
      const Vec3& body = tube.body.vertices[size_t(i)].position;
      const Vec3& anchor = tube.anchor.vertices[size_t(i)].position;
      EXPECT_EQ(body.x, anchor.x) << i;
      EXPECT_EQ(body.y, anchor.y) << i;
      EXPECT_EQ(body.z, anchor.z) << i;
      const Vec3& velocity = tube.springs[size_t(i)].velocity;
      EXPECT_EQ(velocity.x, 0.0f) << i;
      EXPECT_EQ(velocity.y, 0.0f) << i;
      EXPECT_EQ(velocity.z, 0.0f) << i;
    }
    // The next sub-step moves it by the anchor spring again, from there.
    simulateSpringTube(tube, state, path, 1.01f, 1.0f, 0.0f);
    EXPECT_TRUE(std::isfinite(tube.body.vertices[6].position.x));
  }
}

TEST(SpringTube, OverstretchedEdgeSnapsBothCornersOntoTheAnchor) {
  SpringTube tube = buildSpringTube();
  SwimState state;
  // Warm up so the anchor has left the rest shape, then pull vertex 0 away.
  simulateSpringTube(tube, state, SwimPath::Tumble, 10.0f, 0.0f, 0.0f);
  tube.body.vertices[0].position.y += 2.0f;
  const Vec3 before = tube.body.vertices[1].position;
  simulateSpringTube(tube, state, SwimPath::Tumble, 10.01f, 0.0f, 0.0f);
  // Edge (0, 1) of triangle 0 snapped: its spring is at rest and both
  // corners sit on (or one anchor-spring step from) the anchor.
  EXPECT_EQ(tube.springs[1040].velocity.y, 0.0f);
  for (const int i : {0, 1}) {
    const Vec3& p = tube.body.vertices[size_t(i)].position;
    const Vec3& anchor = tube.anchor.vertices[size_t(i)].position;
    EXPECT_LT(std::fabs(p.y - anchor.y), 0.1f) << i;
  }
  EXPECT_NE(before.y, tube.body.vertices[1].position.y);
}
