#include "gfx/frame_target.h"

#include "gfx/gl_entry_points.h"

namespace {

struct FrameTarget {
  int width = 1024;
  int height = 512;
  int outputWidth = 1024;
  int outputHeight = 768;
  float pictureAspect = kPictureAspect;
  GLuint framebuffer = 0;
};

FrameTarget frameTarget;

}  // namespace

void setRenderSize(int width, int height) {
  frameTarget.width = width;
  frameTarget.height = height;
}

int renderWidth() { return frameTarget.width; }
int renderHeight() { return frameTarget.height; }

void setOutputSize(int width, int height) {
  frameTarget.outputWidth = width;
  frameTarget.outputHeight = height;
}

int outputWidth() { return frameTarget.outputWidth; }
int outputHeight() { return frameTarget.outputHeight; }

void setPictureAspect(float aspect) { frameTarget.pictureAspect = aspect; }
float pictureAspect() { return frameTarget.pictureAspect; }

void setFrameFramebuffer(GLuint framebuffer) { frameTarget.framebuffer = framebuffer; }

void bindFrameTarget() { gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, frameTarget.framebuffer); }

void bindOffscreenFramebuffer(GLuint framebuffer) {
  gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
}

namespace {

GLuint makeRenderbuffer(GLenum format, int width, int height) {
  GLuint renderbuffer = 0;
  gl.glGenRenderbuffersEXT(1, &renderbuffer);
  gl.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, renderbuffer);
  gl.glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, format, width, height);
  return renderbuffer;
}

}  // namespace

OffscreenFrame createOffscreenFrame(int width, int height) {
  OffscreenFrame frame;
  // Like the show window, the frame keeps no alpha: copies of it read alpha 1,
  // which the accumulating kinds weight their sums by.
  frame.colorBuffer = makeRenderbuffer(GL_RGB8, width, height);
  frame.depthBuffer = makeRenderbuffer(GL_DEPTH_COMPONENT24, width, height);
  gl.glGenFramebuffersEXT(1, &frame.framebuffer);
  gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, frame.framebuffer);
  gl.glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT,
                                  GL_RENDERBUFFER_EXT, frame.colorBuffer);
  gl.glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT,
                                  GL_RENDERBUFFER_EXT, frame.depthBuffer);
  return frame;
}
