// "bumpheight": turns an image into the engine's bump encoding on the GPU.
// Red and green carry the horizontal and vertical slope of the luminance
// around 0.5, blue the luminance, alpha 0. The result replaces the frame;
// "textureOut" normally keeps it for a mesh effect's bump map.
#pragma once

#include "framework/effect.h"

class BumpHeightEffect : public Effect {
 public:
  void render(float time, float timeStep) override;
};
