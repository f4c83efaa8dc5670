// "breaker": the vertices of a mesh become a cloud of textured sprites that
// a cross of 100 vortex points stirs; the motion accumulates in the mesh from
// frame to frame. Optionally the vortex points are drawn too. Everything is
// drawn back to front with alpha blending.
#pragma once

#include <vector>

#include "effects/particles.h"
#include "framework/effect.h"

class BreakerEffect : public Effect {
 public:
  void initialise() override;
  void render(float time, float timeStep) override;

 private:
  std::vector<Vortex> vortices_;
  std::vector<SpriteOrder> drawList_;
};

// The cross of vortex points: two rows of 50 from -0.5 to 0.48 along x and
// y, moved by `centre`, turned about x, y, z by `rotation` (radians), moved
// by `position` and scaled by 30; sprite sizes shrink towards the arm ends.
std::vector<Vortex> breakerVortexCross(const Vec3& position, const Vec3& centre, const Vec3& rotation);
