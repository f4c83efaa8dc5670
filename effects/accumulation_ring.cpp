#include "effects/accumulation_ring.h"

#include <algorithm>

#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "gfx/render_targets.h"
#include "gfx/screen_quad.h"
#include "gfx/texture_pool.h"

namespace {

void clearColorAndDepth() {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The float target at the render size, the frame's viewport kept aside.
void beginFloatTarget() {
  bindRenderTarget(renderTargets.floatTarget);
  glPushAttrib(GL_VIEWPORT_BIT);
  glViewport(0, 0, renderWidth(), renderHeight());
}

// The float target's picture replaces the frame.
void resolveFloatTarget() {
  glPopAttrib();
  bindFrameTarget();
  clearColorAndDepth();
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  setup2D();
  glEnable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
  glBindTexture(GL_TEXTURE_2D, renderTargets.floatTarget.colorTexture);
  drawScreenQuad(false);
}

}  // namespace

int clampRingSize(int requested) { return std::clamp(requested, 1, kMaxRingSize); }

int clampPassCount(int requested) { return std::clamp(requested, 0, kMaxPassesPerFrame); }

std::string ringTextureName(int index) { return "meshiAccum" + std::to_string(index); }

void makeRingTextures(int size) {
  for (int i = 0; i < size; ++i)
    makeRenderSizeTexture(ringTextureName(i));
}

int advanceRing(RingCursor& cursor, int size) {
  ++cursor.index;
  if (cursor.index >= size) cursor.index = 0;
  return cursor.index;
}

float passTime(float time, int pass, int passCount) {
  return time + float(pass) / float(passCount) * kPassTimeStep;
}

void copyFrameToRing(int index) { copyScreenToTexture(ringTextureName(index), 0, 0); }

void drawRingAverage(int size, bool inFloatTarget, RingBase base) {
  if (inFloatTarget) beginFloatTarget();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  if (inFloatTarget || base == RingBase::kCleared) clearColorAndDepth();
  setup2D();
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  for (int j = 0; j < size; ++j) {
    glColor4f(1, 1, 1, 1.0f / float(size));
    bindTexture(ringTextureName(j), GL_REPEAT, GL_LINEAR);
    drawScreenQuad(false);
  }
  if (inFloatTarget) resolveFloatTarget();
}
