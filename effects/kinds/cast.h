// "cast": one full-viewport quad drawn with the engine's GLSL ray marcher,
// an implicit texture-perturbed surface in fog. The parameters reach the
// shader through fixed-function state: the normal, the colour and light 0's
// ambient, diffuse, specular and position. Without "setCamera" the view turns
// and rises with time.
#pragma once

#include "framework/effect.h"

class CastEffect : public Effect {
 public:
  void render(float time, float timeStep) override;
};
