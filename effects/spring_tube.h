// The spring tube of the swimming kinds: a tapered box tube (the body) that
// follows an invisible copy of itself (the anchor) through damped springs,
// one per vertex, simulated in fixed sub-steps of 0.01 time units. The anchor
// is placed analytically along a swimming path each sub-step; the variant
// picks the path, the damping and whether the triangle edges carry springs
// too. A frame's result depends only on the show time, the time step and the
// frames before it.
#pragma once

#include <vector>

#include "gfx/mesh.h"

struct Spring {
  int first = 0;   // body vertex
  int second = 0;  // anchor vertex (anchor springs) or body vertex (edge springs)
  Vec3 force;
  Vec3 velocity;
  float restLength = 0.0f;
};

// The swimming path's memory between sub-steps: where the path was, and the
// smoothed heading and roll (radians). Program-wide per kind, never reset.
struct SwimState {
  Vec3 previousPoint;
  float heading = 0.0f;
  float roll = 0.0f;
};

enum class SwimPath {
  // A straight swim along the path with a slow sway; clock from the window start.
  Glide,
  // Loops around the origin while tumbling; absolute clock, the path grows in
  // over the first half unit after the window opens. Edge springs snap
  // overstretched triangles back onto the anchor.
  Tumble,
};

struct SpringTube {
  Mesh anchor;
  Mesh body;
  // Springs 0..V-1 tie body vertex i to anchor vertex i; then three per body
  // triangle (a, b), (b, c), (c, a) with their starting lengths.
  std::vector<Spring> springs;
};

// The 64-segment spindle (tapered box tube of size (32, 1, 2)) as body and
// anchor, the spring table and the body's normals.
SpringTube buildSpringTube();

inline constexpr float kSpringSubStep = 0.01f;
inline constexpr int kMaxSpringSubSteps = 16;

// Runs the sub-steps covering one frame of length timeStep (at least one, at
// most kMaxSpringSubSteps) starting at the show time `time`; `start` is the
// effect's window start. Returns the number of sub-steps run.
int simulateSpringTube(SpringTube& tube, SwimState& state, SwimPath path, float time, float start,
                       float timeStep);
