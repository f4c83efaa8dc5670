#include "effects/kinds/bump_height.h"

#include <string>

#include "effects/parameters.h"
#include "gfx/frame_target.h"
#include "gfx/gpu_programs.h"
#include "gfx/screen_quad.h"
#include "gfx/texture_pool.h"

namespace {

// The slopes are taken this many output pixels either side.
constexpr float kSlopeStepPixels = 4.0f;

}  // namespace

void BumpHeightEffect::render(float time, float timeStep) {
  framePrologue(time, timeStep);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);

  std::string source = readTexture(*this, "textureIn");
  if (source.empty() || source == "screen") {
    copyScreenToTexture("screen", 0, 0);
    source = "screen";
  }
  bindTexture(source, GL_CLAMP_TO_EDGE, GL_LINEAR);

  setup2D();
  bindGpuPrograms(gpuPrograms.bumpHeight);
  setProgramEnv(GL_FRAGMENT_PROGRAM_ARB, 0, kSlopeStepPixels / outputWidth(),
                kSlopeStepPixels / outputHeight(), 0, 0);
  setProgramEnv(GL_FRAGMENT_PROGRAM_ARB, 1, 0.299f, 0.587f, 0.114f, 0);
  glColor4f(1, 1, 1, 1);
  drawScreenQuad(false);
  unbindGpuPrograms();
  copyToTextureOut();
}
