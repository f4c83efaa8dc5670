// "cubetube": the music-driven tube, long and pinched towards its middle,
// also following the music's running loudness; lit by every light through a
// material, with light flares and a cloud of vortex particles stirred by
// points on the tube, drawn several times per frame at slightly later script
// times into the accumulation ring, whose entries are then added up at equal
// weights into the frame (optionally through the float target).
//
// The kind keeps one spectrum history and one ring position for the whole
// run, shared by all its instances and separate from the other kinds'.
#pragma once

#include "framework/effect.h"
#include "gfx/mesh.h"

// The tube is long and pinched towards its middle: rest x, -0.5..0.5 along
// the built tube, becomes sign(4x) |4x|^4, -16..16. Only the rest shape
// changes; the current position stays as built until a mode deforms it (a
// mode outside 0..2 never does).
void pinchTube(Mesh& tube);

class CubetubeEffect : public Effect {
 public:
  void initialise() override;
  void render(float time, float timeStep) override;

 private:
  void drawPass(float time, float timeStep, int pass, Mesh* particles);
  void drawLitTube();
  void drawParticles(Mesh* particles, float timeStep);

  Mesh tube_;
  int ringSize_ = 1;
};
