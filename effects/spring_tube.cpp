#include "effects/spring_tube.h"

#include <cmath>

#include "effects/box_tube.h"
#include "gfx/portable_math.h"

namespace {

// Both spring families pull with their stiffness times this step weight.
constexpr float kAnchorStiffness = 500.0f;
constexpr float kEdgeStiffness = 50.0f;
constexpr float kStepWeight = 0.01f;

float rampUp01(float x, float start) { return rampUp(x, start, 1.0f); }

float eighthPowerOfHalfRise(double wave) { return float(portablePow((wave + 1) / 2, 8)); }

// Where the anchor swims at sub-step time tau, and how its vertices turn.
void placeGlidingAnchor(SpringTube& tube, SwimState& state, float tau) {
  const Vec3 point{float(portableSin(tau / 2.0) - 10.0 * tau), 0.0f, float(portableCos(tau / 2.0))};
  const Vec3 delta = state.previousPoint - point;
  state.previousPoint = point;

  const float heading = -pathAngle(delta.z, delta.x);
  const float sway = float(portableSin(3.5 * tau));
  const float rise = rampUp01(tau, 0.5f);
  const float lift = eighthPowerOfHalfRise(portableSin(tau)) * rise * sway * 10.5f;
  state.heading += (heading - state.heading) * 0.02f;
  state.roll += (5.0f * dot(delta, delta) + lift - state.roll) * 0.015f;

  const float up = rise * float(portableCos(sway)) + state.roll;
  for (MeshVertex& vertex : tube.anchor.vertices) {
    Vec3 q = vertex.restPosition;
    rotateAboutAxis(q, 1, state.heading);
    rotateAboutAxis(q, 2, state.roll);
    vertex.position = {q.x + point.z, q.y + up, q.z + point.x};
  }
}

void placeTumblingAnchor(SpringTube& tube, SwimState& state, float tau, float start) {
  const float grow = rampUp01(tau - start, 0.5f);
  const Vec3 point{grow * eighthPowerOfHalfRise(portableSin(tau)) * float(portableSin(3.5 * tau)) * 12.5f, 0.0f,
                   grow * eighthPowerOfHalfRise(portableCos(1.43 * tau)) * float(portableCos(3.5 * tau)) * 12.5f};
  const Vec3 delta = state.previousPoint - point;
  state.previousPoint = point;

  state.heading += (pathAngle(delta.z, delta.x) - state.heading) * 0.02f;
  state.roll += (5.0f * dot(delta, delta) - state.roll) * 0.105f;

  const float spin = float(2.5 * tau + portableSin(tau));
  const float tumble = float(portableCos(portableSin(tau)) + 1.25 * tau);
  const float up = (rampUp01(tau, 0.5f) * float(portableCos(portableSin(3.5 * tau))) + state.roll) * 4.0f;
  for (MeshVertex& vertex : tube.anchor.vertices) {
    Vec3 q = vertex.restPosition;
    rotateAboutAxis(q, 1, state.heading);
    rotateAboutAxis(q, 2, state.roll);
    rotateAboutAxis(q, 1, spin);
    rotateAboutAxis(q, 0, tumble);
    vertex.position = {q.x + point.z, q.y + up, q.z + point.x};
  }
}

void pullTowardsAnchor(SpringTube& tube, float damping) {
  const int count = tube.body.vertexCount();
  for (int i = 0; i < count; ++i) {
    Spring& spring = tube.springs[size_t(i)];
    const Vec3 stretch = tube.anchor.vertices[size_t(i)].position - tube.body.vertices[size_t(i)].position;
    spring.force = stretch * (kAnchorStiffness * kStepWeight) - spring.velocity * damping;
  }
}

// The edge springs only ever snap: an edge about to stretch beyond length 1
// puts both its corners back onto the anchor's.
void snapOverstretchedEdges(SpringTube& tube) {
  const size_t first = size_t(tube.body.vertexCount());
  std::vector<MeshVertex>& body = tube.body.vertices;
  for (size_t s = first; s < tube.springs.size(); ++s) {
    Spring& spring = tube.springs[s];
    const Vec3 d = body[size_t(spring.second)].position - body[size_t(spring.first)].position;
    const float excess = vecLength(d) - spring.restLength;
    spring.force = d * (excess * excess * kEdgeStiffness * kStepWeight) - spring.velocity * 0.05f;
  }
  for (size_t s = first; s < tube.springs.size(); ++s) {
    Spring& spring = tube.springs[s];
    spring.velocity += spring.force;
    const Vec3 ahead = body[size_t(spring.first)].position + spring.velocity * 0.01f -
                       body[size_t(spring.second)].position;
    if (!(dot(ahead, ahead) > 1.0f)) continue;
    spring.velocity = {};
    spring.force = {};
    body[size_t(spring.first)].position = tube.anchor.vertices[size_t(spring.first)].position;
    body[size_t(spring.second)].position = tube.anchor.vertices[size_t(spring.second)].position;
  }
}

// A vertex more than 100 units from its anchor (or lost to a non-finite
// value) is put back onto the anchor at rest.
void moveBody(SpringTube& tube) {
  const int count = tube.body.vertexCount();
  for (int i = 0; i < count; ++i) {
    Spring& spring = tube.springs[size_t(i)];
    const MeshVertex& anchor = tube.anchor.vertices[size_t(i)];
    Vec3& position = tube.body.vertices[size_t(i)].position;
    spring.velocity += spring.force;
    const Vec3 away = position - anchor.position;
    if (!(dot(away, away) <= 10000.0f)) {
      spring.velocity = {};
      position = anchor.position;
      continue;
    }
    const float mobility = 0.01f / (dot(anchor.restPosition, anchor.restPosition) + 0.2f);
    position += spring.velocity * mobility;
  }
}

// Normalised face normals and their normalised sums at the vertices, pointing
// with the winding.
void computeSmoothNormals(Mesh& mesh) {
  recomputeNormals(mesh, false);
  for (MeshVertex& vertex : mesh.vertices) vertex.normal *= -1.0f;
}

void subStep(SpringTube& tube, SwimState& state, SwimPath path, float tau, float start) {
  if (path == SwimPath::Glide) {
    placeGlidingAnchor(tube, state, tau);
    pullTowardsAnchor(tube, 0.1f);
  } else {
    placeTumblingAnchor(tube, state, tau, start);
    pullTowardsAnchor(tube, 0.05f);
    snapOverstretchedEdges(tube);
  }
  moveBody(tube);
}

}  // namespace

SpringTube buildSpringTube() {
  SpringTube tube;
  const auto taper = [](float x) { return float(portablePow(1.0 - std::fabs(x) * 0.0625, 4)); };
  tube.body = buildBoxTube({64, 4.0f, 1.0f, 4, 4, {32.0f, 1.0f, 2.0f}});
  scaleTubeSection(tube.body, taper);
  tube.anchor = tube.body;

  const int vertices = tube.body.vertexCount();
  tube.springs.reserve(size_t(vertices + 3 * tube.body.triangleCount()));
  for (int i = 0; i < vertices; ++i) tube.springs.push_back({i, i, {}, {}, 0.0f});
  for (const MeshTriangle& triangle : tube.body.triangles)
    for (const auto& [from, to] : {std::pair{triangle.a, triangle.b}, std::pair{triangle.b, triangle.c},
                                   std::pair{triangle.c, triangle.a}}) {
      const float length = vecLength(tube.body.vertices[size_t(to)].position -
                                     tube.body.vertices[size_t(from)].position);
      tube.springs.push_back({from, to, {}, {}, length});
    }
  computeSmoothNormals(tube.body);
  return tube;
}

int simulateSpringTube(SpringTube& tube, SwimState& state, SwimPath path, float time, float start,
                       float timeStep) {
  float tau = path == SwimPath::Glide ? time - start : time;
  const float tau0 = tau;
  int steps = 0;
  do {
    subStep(tube, state, path, tau, start);
    tau += kSpringSubStep;
    ++steps;
  } while (timeStep > tau - tau0 && steps < kMaxSpringSubSteps);
  return steps;
}
