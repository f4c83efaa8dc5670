#include "gfx/gl_entry_points.h"

#include "platform/window.h"

GlEntryPoints gl;

namespace {

GLuint currentFrameTarget = 0;

template <typename Function>
void load(Function& entry, const char* name) {
  entry = reinterpret_cast<Function>(glProcAddress(name));
}

}  // namespace

void loadGlEntryPoints() {
  load(gl.glProgramStringARB, "glProgramStringARB");
  load(gl.glBindProgramARB, "glBindProgramARB");
  load(gl.glGenProgramsARB, "glGenProgramsARB");
  load(gl.glProgramEnvParameter4fvARB, "glProgramEnvParameter4fvARB");
  load(gl.glMultiTexCoord3fvARB, "glMultiTexCoord3fvARB");
  load(gl.glActiveTextureARB, "glActiveTextureARB");
  load(gl.glGenerateMipmapEXT, "glGenerateMipmapEXT");
  load(gl.glGenFramebuffersEXT, "glGenFramebuffersEXT");
  load(gl.glBindFramebufferEXT, "glBindFramebufferEXT");
  load(gl.glGenRenderbuffersEXT, "glGenRenderbuffersEXT");
  load(gl.glBindRenderbufferEXT, "glBindRenderbufferEXT");
  load(gl.glRenderbufferStorageEXT, "glRenderbufferStorageEXT");
  load(gl.glFramebufferRenderbufferEXT, "glFramebufferRenderbufferEXT");
  load(gl.glFramebufferTexture2DEXT, "glFramebufferTexture2DEXT");
  load(gl.glCheckFramebufferStatusEXT, "glCheckFramebufferStatusEXT");
}

void setFrameTarget(GLuint framebuffer) { currentFrameTarget = framebuffer; }
GLuint frameTarget() { return currentFrameTarget; }

void glGenFramebuffersEXT(GLsizei n, GLuint* framebuffers) { gl.glGenFramebuffersEXT(n, framebuffers); }

void glBindFramebufferEXT(GLenum target, GLuint framebuffer) {
  gl.glBindFramebufferEXT(target, framebuffer ? framebuffer : currentFrameTarget);
}

void glGenRenderbuffersEXT(GLsizei n, GLuint* renderbuffers) {
  gl.glGenRenderbuffersEXT(n, renderbuffers);
}

void glBindRenderbufferEXT(GLenum target, GLuint renderbuffer) {
  gl.glBindRenderbufferEXT(target, renderbuffer);
}

void glRenderbufferStorageEXT(GLenum target, GLenum internalFormat, GLsizei width,
                              GLsizei height) {
  gl.glRenderbufferStorageEXT(target, internalFormat, width, height);
}

void glFramebufferRenderbufferEXT(GLenum target, GLenum attachment, GLenum renderbufferTarget,
                                  GLuint renderbuffer) {
  gl.glFramebufferRenderbufferEXT(target, attachment, renderbufferTarget, renderbuffer);
}

void glFramebufferTexture2DEXT(GLenum target, GLenum attachment, GLenum textarget,
                               GLuint texture, GLint level) {
  gl.glFramebufferTexture2DEXT(target, attachment, textarget, texture, level);
}

GLenum glCheckFramebufferStatusEXT(GLenum target) { return gl.glCheckFramebufferStatusEXT(target); }
