// "curvex" and "box": a script mesh ("curvexMesh") lit with the phong
// programs and drawn over the current frame, then a script curve ("kurvi")
// drawn as a smooth white line of 5000 points with the camera's matrices.
// The two names are separate kinds with the same behaviour, so a definition
// gives the same picture under either.
#pragma once

#include "framework/effect.h"

class CurveMeshEffect : public Effect {
 public:
  void initialise() override;
  void render(float time, float timeStep) override;
};

// "box" is its own kind: its own class and instances, curvex's behaviour.
class BoxEffect : public CurveMeshEffect {};
