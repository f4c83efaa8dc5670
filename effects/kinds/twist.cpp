#include "effects/kinds/twist.h"

#include "effects/accumulation_ring.h"
#include "effects/box_tube.h"
#include "effects/camera.h"
#include "effects/mesh_transform.h"
#include "effects/music_tube.h"
#include "effects/parameters.h"
#include "effects/phong_shading.h"
#include "effects/spectrum_history.h"
#include "gfx/gl.h"
#include "gfx/mesh_draw.h"

namespace {

SpectrumHistory twistSpectrum;
RingCursor twistRing;

void readIgnoredParameters(const Effect& effect) {
  requiredButUnused(readVec3(effect, "twistAxis"));
  for (const char* name :
       {"twistPow", "twistY", "twistTimeY", "twistMulY", "twistX", "twistTimeX", "twistMulX"})
    requiredButUnused(readFloat(effect, name));
}

}  // namespace

void TwistEffect::initialise() {
  tube_ = buildBoxTube(BoxTubeShape{48, 2, 1, 4, 4, {1, 1, 1}});
  framePrologue(0, 0);
  ringSize_ = clampRingSize(readHeldCount(*this, "accumNum", kMaxRingSize));
  makeRingTextures(ringSize_);
}

void TwistEffect::render(float time, float) {
  const int use16 = readInt(*this, "use16");
  const int passes = clampPassCount(readHeldCount(*this, "accumTimes", kMaxPassesPerFrame));
  for (int pass = 0; pass < passes; ++pass) drawPass(passTime(time, pass, passes), pass);
  drawRingAverage(ringSize_, use16 != 0, RingBase::kCleared);
  copyToTextureOut();
}

void TwistEffect::drawPass(float time, int pass) {
  clearToBackColor(*this);
  const int ringIndex = advanceRing(twistRing, ringSize_);
  framePrologue(time, kPassTimeStep);
  glEnable(GL_DEPTH_TEST);
  readAndSetupCamera(*this);
  glDisable(GL_CULL_FACE);
  const int mode = readInt(*this, "mode");

  updateSpectrumHistory(twistSpectrum);
  requiredButUnused(readFloat(*this, "specLow"));
  requiredButUnused(readFloat(*this, "specHigh"));
  deformTube(tube_, mode, TubeMusic{twistSpectrum, time}, twistVertex);
  readIgnoredParameters(*this);
  if (pass == 0) smoothTubeNormals(tube_, mode == 1);

  beginPhongShading(*this);
  glPushMatrix();
  applyMeshTransform(*this);
  drawMeshBasic(tube_);
  glPopMatrix();
  endPhongShading();
  copyFrameToRing(ringIndex);
}
