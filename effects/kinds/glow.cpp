#include "effects/kinds/glow.h"

#include <algorithm>
#include <string>

#include "effects/parameters.h"
#include "gfx/frame_target.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/screen_quad.h"
#include "gfx/texture_pool.h"

namespace {

constexpr int kGlowSize = 256;
// One blur step moves the four copies apart by this much per unit of step.
constexpr float kBlurOffset = 3.0f / kGlowSize;
// Each pass costs four draws and a copy; a count from a script is kept to
// what can still run at frame rate.
constexpr int kMaxBlurPasses = 4096;
constexpr float kLuminance[4] = {0.299f, 0.587f, 0.114f, 0.0f};

void setFragmentEnv(GLuint index, float x, float y, float z, float w) {
  setProgramEnv(GL_FRAGMENT_PROGRAM_ARB, index, x, y, z, w);
}

void setLuminanceWeights() {
  setFragmentEnv(1, kLuminance[0], kLuminance[1], kLuminance[2], kLuminance[3]);
}

// Binds the source and returns its name: an empty name or "screen" takes a
// copy of the frame as it is now.
std::string bindSource(const std::string& textureIn) {
  if (textureIn.empty() || textureIn == "screen") {
    copyScreenToTexture("screen", 0, 0);
    bindTexture("screen", GL_REPEAT, GL_LINEAR);
    return "screen";
  }
  bindTexture(textureIn, GL_CLAMP_TO_EDGE, GL_LINEAR);
  return textureIn;
}

// The glow is made inside the frame, in a square of the glow size or, in a
// smaller frame, of the frame's smaller side (a larger square would be cut
// off and the glow would vanish). The pool's "glow" texture is resized to it.
int fitGlowTexture() {
  const int size = std::min({kGlowSize, renderWidth(), renderHeight()});
  bindTexture("glow", GL_CLAMP_TO_EDGE, GL_LINEAR);
  GLint width = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  if (width != size)
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  return size;
}

void keepGlowTexture(int size) {
  copyScreenToTexture("glow", size, size);
  bindTexture("glow", GL_CLAMP_TO_EDGE, GL_LINEAR);
}

// Four additive draws of the glow texture, flipped, moved diagonally apart
// by the pass's step, then the sum becomes the glow texture.
void blurPass(float step, int size) {
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) {
      glMatrixMode(GL_TEXTURE);
      glLoadIdentity();
      glTranslatef((x - 0.5f) * step * kBlurOffset, (y - 0.5f) * step * kBlurOffset, 0);
      glMatrixMode(GL_MODELVIEW);
      drawScreenQuad(true);
    }
  copyScreenToTexture("glow", size, size);
  glClear(GL_COLOR_BUFFER_BIT);
  bindTexture("glow", GL_CLAMP_TO_EDGE, GL_LINEAR);
}

}  // namespace

void GlowEffect::render(float time, float timeStep) {
  framePrologue(time, timeStep);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);

  const float limitSub = readFloat(*this, "limitSub");
  const float limitMul = readFloat(*this, "limitMul");
  const float limitExp = readFloat(*this, "limitExp");
  const std::string textureIn = readTexture(*this, "textureIn");

  const int size = fitGlowTexture();
  glViewport(0, 0, size, size);
  const std::string source = bindSource(textureIn);
  setup2D();
  bindGpuPrograms(gpuPrograms.limit);
  setFragmentEnv(0, limitSub, limitMul, limitExp, 0);
  setLuminanceWeights();
  drawScreenQuad(false);
  unbindGpuPrograms();
  keepGlowTexture(size);

  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glBlendFunc(GL_ONE, GL_ONE);
  glEnable(GL_BLEND);
  const float glowFactor = readFloat(*this, "glowFactor");
  glColor4f(glowFactor, glowFactor, glowFactor, 1);
  setup2D();
  // Fewer passes may be drawn, but each at the step the given count makes.
  const int loops = readInt(*this, "loops", 6);
  const int drawnLoops = holdCount(*this, "loops", loops, kMaxBlurPasses);
  const float blurSize = readFloat(*this, "blurSize");
  for (int pass = 0; pass < drawnLoops; ++pass) blurPass((pass + 1) * blurSize / loops, size);

  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glClear(GL_COLOR_BUFFER_BIT);
  glViewport(0, 0, renderWidth(), renderHeight());
  setup2D();
  glEnable(GL_BLEND);
  gl.glActiveTextureARB(GL_TEXTURE1_ARB);
  bindTexture("glow", GL_REPEAT, GL_LINEAR);
  gl.glActiveTextureARB(GL_TEXTURE0_ARB);
  bindTexture(source, GL_REPEAT, GL_LINEAR);

  const float expScreen = readFloat(*this, "expScreen");
  const float expGlow = readFloat(*this, "expGlow");
  const float mulScreen = readFloat(*this, "mulScreen");
  const float mulGlow = readFloat(*this, "mulGlow");
  bindGpuPrograms(gpuPrograms.exponentialSum);
  setFragmentEnv(0, expScreen, expGlow, 0, 0);
  setLuminanceWeights();
  setFragmentEnv(2, mulScreen, mulGlow, 0, 0);
  glDisable(GL_BLEND);
  glColor4f(1, 1, 1, 1);
  drawScreenQuad(false);
  releaseTextureUnits();
  unbindGpuPrograms();
  copyToTextureOut();
}
