#include "gfx/gl_entry_points.h"

#include "platform/window.h"

GlEntryPoints gl;

namespace {

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
