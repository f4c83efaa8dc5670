// "basicmesh": the blob mesh lit per pixel by one light with the phong
// programs (colour texture, bump map with parallax), placed by the camera and
// the mesh transform. It owns the frame: colour and depth are cleared to
// "backColor" before the mesh is drawn.
#pragma once

#include "framework/effect.h"
#include "gfx/mesh.h"

class BasicMeshEffect : public Effect {
 public:
  void initialise() override;
  void render(float time, float timeStep) override;

 private:
  Mesh mesh_;
};
