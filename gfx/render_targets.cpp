#include "gfx/render_targets.h"

#include "gfx/gl_entry_points.h"
#include "gfx/texture_pool.h"
#include "platform/message.h"

RenderTargets renderTargets;

namespace {

void createTarget(RenderTarget& target, GLint internalFormat, int width, int height) {
  glGenFramebuffersEXT(1, &target.framebuffer);
  gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target.framebuffer);
  glGenRenderbuffersEXT(1, &target.depthBuffer);
  glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, target.depthBuffer);
  glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT, width, height);
  glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                               target.depthBuffer);
  glGenTextures(1, &target.colorTexture);
  glBindTexture(GL_TEXTURE_2D, target.colorTexture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
  glBindTexture(GL_TEXTURE_2D, 0);
  glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D,
                            target.colorTexture, 0);
  if (glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_UNSUPPORTED_EXT)
    fatalMessage("ERROR", "GL framebuffer format GL_RGBA16f unsupported, sorry. Quit.");
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

}  // namespace

void createFloatTarget() {
  renderTargets.width = renderWidth();
  renderTargets.height = renderHeight();
  createTarget(renderTargets.floatTarget, GL_RGBA16F_ARB, renderTargets.width, renderTargets.height);
  createTarget(renderTargets.accumulationTarget, GL_RGBA, renderTargets.width,
               renderTargets.height);
}
