// "meshi": the sculpted head morphing between two loads of its mesh, drawn
// with temporal blur. Each frame it draws "accumTimes" passes at script times
// spread over 0.05 time units into the accumulation target, copies each pass
// into the next texture of the accumulation ring, and shows the average of
// the ring (through the float target when "use16" is set).
#pragma once

#include "framework/effect.h"
#include "gfx/mesh.h"

class MeshiEffect : public Effect {
 public:
  void initialise() override;
  void render(float time, float timeStep) override;

 private:
  void drawPass(float time, int pass);

  Mesh shapeA_;   // animFactor 1
  Mesh shapeB_;   // animFactor 0
  Mesh morphed_;  // rewritten every pass
  // Loaded with the others and kept, never drawn.
  Mesh dots_;
  Mesh blob_;
  int ringSize_ = 1;
};
