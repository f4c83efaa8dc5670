// "motion": the blob morphing between its open and closed shapes and
// twisting with time, lit with the phong programs and blurred along its
// screen motion. Each frame the mesh is drawn twice into velocity images
// (at the script time minus "motionTimeStep" and at the time itself), once
// lit into a colour image, and a full-screen pass then smears the colour image
// along the longer of the two velocities at every pixel.
#pragma once

#include <vector>

#include "framework/effect.h"
#include "gfx/math.h"
#include "gfx/mesh.h"

class MotionEffect : public Effect {
 public:
  void initialise() override;
  void render(float time, float timeStep) override;

 private:
  void drawVelocityPass(float time, float timeStep);
  void deform(float time);
  void encodeVelocities();
  void drawColourPass();
  void drawBlurPass();

  Mesh open_;
  Mesh closed_;
  Mesh working_;  // positions and normals rewritten every pass
  // Clip-space positions of the previous velocity pass, across frames.
  std::vector<Vec3> previous_;
  bool hasPrevious_ = false;
};
