// The two off-screen framebuffers of render size: FloatTarget (16-bit float
// colour) and AccumulationTarget (8-bit colour), both with a depth buffer.
#pragma once

#include "gfx/gl.h"

struct RenderTarget {
  GLuint framebuffer = 0;
  GLuint depthBuffer = 0;
  GLuint colorTexture = 0;
};

struct RenderTargets {
  RenderTarget floatTarget;
  RenderTarget accumulationTarget;
};

extern RenderTargets renderTargets;

// Makes both targets once, of the render size; an unsupported float format
// is fatal.
void createFloatTarget();
// Draws into the target until bindFrameTarget (gfx/frame_target.h).
void bindRenderTarget(const RenderTarget& target);
