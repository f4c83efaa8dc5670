// "twist": a square tube bent and twisted to the music, lit by the phong
// programs, drawn several times per frame at slightly later script times
// into the accumulation ring, whose entries are then added up at equal
// weights into the frame (optionally through the float target).
//
// The kind keeps one spectrum history and one ring position for the whole
// run, shared by all its instances and separate from the other kinds'.
#pragma once

#include "framework/effect.h"
#include "gfx/mesh.h"

class TwistEffect : public Effect {
 public:
  void initialise() override;
  void render(float time, float timeStep) override;

 private:
  void drawPass(float time, int pass);

  Mesh tube_;
  int ringSize_ = 1;
};
