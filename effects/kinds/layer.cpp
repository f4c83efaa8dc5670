#include "effects/kinds/layer.h"

#include "effects/camera.h"
#include "effects/parameters.h"
#include "gfx/frame_target.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/render_targets.h"
#include "gfx/screen_quad.h"
#include "gfx/texture_pool.h"

namespace {

// Each layer copies and composites the whole screen; real shows use one.
constexpr int kMaxLayers = 256;

}  // namespace

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
  effect.getFloatAt("layerPos", layer.position, index, 3);
  effect.getFloatAt("layerScale", layer.scale, index, 3);
  effect.getFloatAt("layerRot", layer.rotation, index, 3);
  effect.getFloatAt("layerBL", layer.bottomLeft, index, 3);
  effect.getFloatAt("layerBR", layer.bottomRight, index, 3);
  effect.getFloatAt("layerTL", layer.topLeft, index, 3);
  effect.getFloatAt("layerTR", layer.topRight, index, 3);
  effect.getIntAt("layerBlendMode", layer.blendMode, index);
  effect.getFloatAt("layerColor", layer.color, index, 3);
  effect.getFloatAt("layerAlpha", layer.alpha, index, 1);
  effect.getIntAt("layerClear", layer.clear, index);
  effect.getTexture("layerTexture", layer.texture, index);
  effect.getIntAt("layer3D", layer.is3D, index);
  return layer;
}

void clearColorBuffer() {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
}

void drawLayerIntoTarget(const Layer& layer) {
  glTranslatef(layer.position[0], -layer.position[1], layer.position[2]);
  glRotatef(layer.rotation[0], 1, 0, 0);
  glRotatef(layer.rotation[1], 0, 1, 0);
  glRotatef(layer.rotation[2], 0, 0, 1);
  glScalef(layer.scale[0], layer.scale[1], layer.scale[2]);

  bindRenderTarget(renderTargets.floatTarget);
  glPushAttrib(GL_VIEWPORT_BIT);
  glViewport(0, 0, renderWidth(), renderHeight());
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
  bindFrameTarget();
  setup2D();
}

bool isWhite(const float* color) { return color[0] == 1 && color[1] == 1 && color[2] == 1; }

void compositeWithAlpha(const Layer& layer) {
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  // "midTexture" is a copy of the frame: drawing it back changes the frame
  // only where the layer's colour tints it or the layer cleared the frame
  // (the frame keeps no alpha), so an untinted layer skips a full-frame pass.
  if (layer.clear || !isWhite(layer.color)) {
    bindTexture("midTexture", GL_REPEAT, GL_LINEAR);
    drawScreenQuad(false);
  }
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
  releaseTextureUnits();
}

void composite(const Layer& layer) {
  switch (layer.blendMode) {
    case kAlphaBlend: compositeWithAlpha(layer); break;
    case kMultiply: compositeWithProgram(gpuPrograms.blendMultiply); break;
    case kScreen: compositeWithProgram(gpuPrograms.blendScreen); break;
    case kAdd: compositeWithProgram(gpuPrograms.blendAdd); break;
    case kSubtract: compositeWithProgram(gpuPrograms.blendSub); break;
    default: break;  // the layer stays in the target only
  }
}

}  // namespace

void LayerEffect::initialise() { makeRenderSizeTexture("midTexture"); }

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
  cameraState.position = readVec3(*this, "cameraPos", cameraState.position);
  cameraState.lookAt = readVec3(*this, "cameraLookAt", cameraState.lookAt);
  aimCamera();
  layerCount = holdCount(*this, "numLayers", layerCount, kMaxLayers);
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
  composite(layer);
}
