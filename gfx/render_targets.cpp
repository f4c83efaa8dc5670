#include "gfx/render_targets.h"

#include "gfx/gl_entry_points.h"
#include "gfx/frame_target.h"
#include "platform/message.h"

RenderTargets renderTargets;

namespace {

void createTarget(RenderTarget& target, GLint internalFormat, int width, int height) {
  gl.glGenFramebuffersEXT(1, &target.framebuffer);
  bindOffscreenFramebuffer(target.framebuffer);
  gl.glGenRenderbuffersEXT(1, &target.depthBuffer);
  gl.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, target.depthBuffer);
  gl.glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT, width, height);
  gl.glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                               target.depthBuffer);
  glGenTextures(1, &target.colorTexture);
  glBindTexture(GL_TEXTURE_2D, target.colorTexture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
  glBindTexture(GL_TEXTURE_2D, 0);
  gl.glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D,
                            target.colorTexture, 0);
  if (gl.glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_UNSUPPORTED_EXT)
    fatalMessage("ERROR", "GL framebuffer format GL_RGBA16f unsupported, sorry. Quit.");
  bindFrameTarget();
}

}  // namespace

void createFloatTarget() {
  createTarget(renderTargets.floatTarget, GL_RGBA16F_ARB, renderWidth(), renderHeight());
  createTarget(renderTargets.accumulationTarget, GL_RGBA, renderWidth(), renderHeight());
}

void bindRenderTarget(const RenderTarget& target) { bindOffscreenFramebuffer(target.framebuffer); }
