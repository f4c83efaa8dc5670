// The GL extension entry points, loaded by name once a context exists, and
// the plain forwarding operations that call them.
#pragma once

#include "gfx/gl.h"

struct GlEntryPoints {
  PFNGLPROGRAMSTRINGARBPROC glProgramStringARB = nullptr;
  PFNGLBINDPROGRAMARBPROC glBindProgramARB = nullptr;
  PFNGLGENPROGRAMSARBPROC glGenProgramsARB = nullptr;
  PFNGLPROGRAMENVPARAMETER4FVARBPROC glProgramEnvParameter4fvARB = nullptr;
  PFNGLMULTITEXCOORD3FVARBPROC glMultiTexCoord3fvARB = nullptr;
  PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
  PFNGLGENERATEMIPMAPEXTPROC glGenerateMipmapEXT = nullptr;
  PFNGLGENFRAMEBUFFERSEXTPROC glGenFramebuffersEXT = nullptr;
  PFNGLBINDFRAMEBUFFEREXTPROC glBindFramebufferEXT = nullptr;
  PFNGLGENRENDERBUFFERSEXTPROC glGenRenderbuffersEXT = nullptr;
  PFNGLBINDRENDERBUFFEREXTPROC glBindRenderbufferEXT = nullptr;
  PFNGLRENDERBUFFERSTORAGEEXTPROC glRenderbufferStorageEXT = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC glFramebufferRenderbufferEXT = nullptr;
  PFNGLFRAMEBUFFERTEXTURE2DEXTPROC glFramebufferTexture2DEXT = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC glCheckFramebufferStatusEXT = nullptr;
};

extern GlEntryPoints gl;

// Fills `gl` from the current context in the fixed order above.
void loadGlEntryPoints();

// The framebuffer that stands for "the window" in drawing code. It is 0 when
// drawing to a window and an off-screen framebuffer when rendering offline;
// effects that bind "framebuffer 0" bind this one.
void setFrameTarget(GLuint framebuffer);
GLuint frameTarget();

void glGenFramebuffersEXT(GLsizei n, GLuint* framebuffers);
// Binding 0 binds the frame target.
void glBindFramebufferEXT(GLenum target, GLuint framebuffer);
void glGenRenderbuffersEXT(GLsizei n, GLuint* renderbuffers);
void glBindRenderbufferEXT(GLenum target, GLuint renderbuffer);
void glRenderbufferStorageEXT(GLenum target, GLenum internalFormat, GLsizei width,
                              GLsizei height);
void glFramebufferRenderbufferEXT(GLenum target, GLenum attachment,
                                  GLenum renderbufferTarget, GLuint renderbuffer);
void glFramebufferTexture2DEXT(GLenum target, GLenum attachment, GLenum textarget,
                               GLuint texture, GLint level);
GLenum glCheckFramebufferStatusEXT(GLenum target);
