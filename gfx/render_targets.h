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
  int width = 0;  // the render size when they were made
  int height = 0;
};

extern RenderTargets renderTargets;

// Makes both targets once; an unsupported float format is fatal.
void createFloatTarget();
