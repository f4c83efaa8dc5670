// "layer": composites a stack of textured quads over the frame. Each layer
// is drawn alone into the float target, then combined with a copy of the
// frame before it by alpha blending or by the multiply, screen, add or
// subtract blend programs. Layers are described by parallel array
// parameters indexed by layer number.
#pragma once

#include "framework/effect.h"

class LayerEffect : public Effect {
 public:
  void initialise() override;
  void render(float time, float timeStep) override;

 private:
  void drawLayer(int index);
};
