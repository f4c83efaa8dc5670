#include "effects/layer_effect.h"

#include "effects/camera.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/render_targets.h"
#include "gfx/texture_pool.h"

namespace {

enum BlendMode { kAlphaBlend = 0, kMultiply = 1, kScreen = 2, kAdd = 3, kSubtract = 4 };

struct Layer {
  float position[4] = {}, scale[4] = {}, rotation[4] = {};
  float bottomLeft[4] = {}, bottomRight[4] = {}, topLeft[4] = {}, topRight[4] = {};
  int blendMode = 0;
  float color[4] = {};
  float alpha[4] = {};
  int clear = 0;
  std::string texture;
  int is3D = 0;
};

// The per-layer parameters at `index`, in the order the effect reads them.
Layer readLayer(const Effect& effect, int index) {
  Layer layer;
  effect.getFloatAt("layerPos", layer.position, index);
  effect.getFloatAt("layerScale", layer.scale, index);
  effect.getFloatAt("layerRot", layer.rotation, index);
  effect.getFloatAt("layerBL", layer.bottomLeft, index);
  effect.getFloatAt("layerBR", layer.bottomRight, index);
  effect.getFloatAt("layerTL", layer.topLeft, index);
  effect.getFloatAt("layerTR", layer.topRight, index);
  effect.getIntAt("layerBlendMode", layer.blendMode, index);
  effect.getFloatAt("layerColor", layer.color, index);
  effect.getFloatAt("layerAlpha", layer.alpha, index);
  effect.getIntAt("layerClear", layer.clear, index);
  effect.getTexture("layerTexture", layer.texture, index);
  effect.getIntAt("layer3D", layer.is3D, index);
  return layer;
}

void clearColorBuffer() {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
}

// The full-viewport quad; flipped reads a frame-buffer copy upside up.
void drawScreenQuad(bool flipped) {
  const float top = flipped ? 0.0f : 1.0f, bottom = flipped ? 1.0f : 0.0f;
  glBegin(GL_QUADS);
  glTexCoord2f(0, bottom);
  glVertex2f(-1, -1);
  glTexCoord2f(1, bottom);
  glVertex2f(1, -1);
  glTexCoord2f(1, top);
  glVertex2f(1, 1);
  glTexCoord2f(0, top);
  glVertex2f(-1, 1);
  glEnd();
}

void drawLayerIntoTarget(const Layer& layer) {
  glTranslatef(layer.position[0], -layer.position[1], layer.position[2]);
  glRotatef(layer.rotation[0], 1, 0, 0);
  glRotatef(layer.rotation[1], 0, 1, 0);
  glRotatef(layer.rotation[2], 0, 0, 1);
  glScalef(layer.scale[0], layer.scale[1], layer.scale[2]);

  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, renderTargets.floatTarget.framebuffer);
  glPushAttrib(GL_VIEWPORT_BIT);
  glViewport(0, 0, renderTargets.width, renderTargets.height);
  glClear(GL_COLOR_BUFFER_BIT);
  bindTexture(layer.texture, GL_REPEAT, GL_LINEAR);
  glBegin(GL_QUADS);
  glTexCoord2f(1, 0);
  glVertex3fv(layer.bottomLeft);
  glTexCoord2f(0, 0);
  glVertex3fv(layer.bottomRight);
  glTexCoord2f(0, 1);
  glVertex3fv(layer.topRight);
  glTexCoord2f(1, 1);
  glVertex3fv(layer.topLeft);
  glEnd();
  glPopAttrib();
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
  setup2D();
}

void compositeWithAlpha() {
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  bindTexture("midTexture", GL_REPEAT, GL_LINEAR);
  drawScreenQuad(false);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, renderTargets.floatTarget.colorTexture);
  drawScreenQuad(true);
}

void compositeWithProgram(const GpuProgramPair& programs) {
  gl.glActiveTextureARB(GL_TEXTURE1_ARB);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, renderTargets.floatTarget.colorTexture);
  gl.glActiveTextureARB(GL_TEXTURE0_ARB);
  bindTexture("midTexture", GL_REPEAT, GL_LINEAR);
  bindGpuPrograms(programs);
  drawScreenQuad(true);
  unbindGpuPrograms();
  gl.glActiveTextureARB(GL_TEXTURE1_ARB);
  glDisable(GL_TEXTURE_2D);
  gl.glActiveTextureARB(GL_TEXTURE0_ARB);
  glBindTexture(GL_TEXTURE_2D, 0);
}

void composite(int blendMode) {
  switch (blendMode) {
    case kAlphaBlend: compositeWithAlpha(); break;
    case kMultiply: compositeWithProgram(gpuPrograms.blendMultiply); break;
    case kScreen: compositeWithProgram(gpuPrograms.blendScreen); break;
    case kAdd: compositeWithProgram(gpuPrograms.blendAdd); break;
    case kSubtract: compositeWithProgram(gpuPrograms.blendSub); break;
    default: break;  // the layer stays in the target only
  }
}

}  // namespace

void LayerEffect::initialise() { makeTexture(false, 0, "midTexture", 0, nullptr, GL_RGBA); }

void LayerEffect::render(float time, float timeStep) {
  framePrologue(time, timeStep);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  int layerCount = 0, clearScreen = 0;
  getInt("numLayers", layerCount);
  getInt("clearScreen", clearScreen);
  if (clearScreen) clearColorBuffer();
  readVec3(*this, "cameraPos", cameraState.position);
  readVec3(*this, "cameraLookAt", cameraState.lookAt);
  aimCamera();
  for (int i = 0; i < layerCount; ++i) drawLayer(i);
  glDepthMask(GL_TRUE);
  copyToTextureOut();
}

void LayerEffect::drawLayer(int index) {
  copyScreenToTexture("midTexture", 0, 0);
  const Layer layer = readLayer(*this, index);
  if (layer.clear) clearColorBuffer();
  glColor4f(layer.color[0], layer.color[1], layer.color[2], layer.alpha[0]);
  if (layer.is3D)
    setupCamera();
  else
    setup2D();
  drawLayerIntoTarget(layer);
  composite(layer.blendMode);
}
