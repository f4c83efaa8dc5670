// "spektrometri": the music's frequency spectrum as a fan of anti-aliased
// grey line strips revolved about the x axis, seen from a camera that moves
// in along its line of sight as the effect runs and is pushed out during its
// last 1.5 seconds. The picture always goes to the pool texture "back".
#pragma once

#include "framework/effect.h"

class SpectrumEffect : public Effect {
 public:
  void render(float time, float timeStep) override;
};
