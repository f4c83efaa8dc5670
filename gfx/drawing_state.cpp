#include "gfx/drawing_state.h"

#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "gfx/gpu_programs.h"

void resetDrawingState() {
  const struct {
    GLenum mode, depth;
  } stacks[] = {{GL_MODELVIEW, GL_MODELVIEW_STACK_DEPTH},
                {GL_PROJECTION, GL_PROJECTION_STACK_DEPTH},
                {GL_TEXTURE, GL_TEXTURE_STACK_DEPTH}};
  for (const auto& stack : stacks) {
    glMatrixMode(stack.mode);
    GLint depth = 1;
    glGetIntegerv(stack.depth, &depth);
    for (; depth > 1; --depth) glPopMatrix();
  }
  glMatrixMode(GL_MODELVIEW);
  GLint attributes = 0;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attributes);
  for (; attributes > 0; --attributes) glPopAttrib();
  unbindGpuPrograms();
  bindFrameTarget();
}
