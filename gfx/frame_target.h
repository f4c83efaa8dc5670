// The frame target: the one place that knows the size effects render at, the
// shape of the picture they draw, and which framebuffer stands for "the
// window". In the player that is the window itself; offline and in tests it
// is an off-screen framebuffer. Effects that draw into the frame bind it with
// bindFrameTarget and never name a framebuffer number themselves, so the same
// effect draws into a window or into an offline render unchanged.
#pragma once

#include "gfx/gl.h"

// The render size: screen-sized textures and render targets have it.
void setRenderSize(int width, int height);
int renderWidth();
int renderHeight();

// The size of the window's picture (the output), which can differ from the
// render size: image passes that step in output pixels use it.
void setOutputSize(int width, int height);
int outputWidth();
int outputHeight();

// The shape of the picture the effects draw (width / height): always 16:9.
inline constexpr float kPictureAspect = 1.7777778f;
void setPictureAspect(float aspect);
float pictureAspect();

// The framebuffer frames are drawn into: 0 for the window.
void setFrameFramebuffer(GLuint framebuffer);
void bindFrameTarget();
// Binds an off-screen framebuffer (a render target, a shadow map, a test's).
void bindOffscreenFramebuffer(GLuint framebuffer);

// An 8-bit RGB colour (no alpha, as the window) and 24-bit depth framebuffer
// that can stand for the window: offline rendering and the drawing tests make one and pass its
// framebuffer to setFrameFramebuffer.
struct OffscreenFrame {
  GLuint framebuffer = 0;
  GLuint colorBuffer = 0;
  GLuint depthBuffer = 0;
};
OffscreenFrame createOffscreenFrame(int width, int height);
