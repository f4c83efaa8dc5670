// "sorver" and "sorverBreak": lathe surfaces swept from curves at start-up,
// morphed between two shapes every frame and lit per pixel by the
// "phong with specular map" programs, one additive pass per light, with a
// flare at each light. Both names give this kind; only their definitions
// differ.
#pragma once

#include <vector>

#include "effects/lathe_surfaces.h"
#include "framework/effect.h"

class SorverEffect : public Effect {
 public:
  void initialise() override;
  void render(float time, float timeStep) override;

 private:
  void drawLightPass(int light, int surfaceCount);

  std::vector<LatheSurface> surfaces_;
};
