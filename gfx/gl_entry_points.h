// The GL extension entry points, loaded by name once a context exists.
// Framebuffers are bound only through gfx/frame_target.h, which knows which
// one stands for the window.
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
