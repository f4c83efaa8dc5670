// "glow": a full-frame post-process. The bright parts of the source image are
// extracted at 256 x 256 with the limit programs, blurred by repeated
// additive, offset redraws of the pool texture "glow", and recombined with
// the source over the whole frame by the exponential sum programs.
#pragma once

#include "framework/effect.h"

class GlowEffect : public Effect {
 public:
  void render(float time, float timeStep) override;
};
