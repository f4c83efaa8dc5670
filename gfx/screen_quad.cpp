#include "gfx/screen_quad.h"

#include "gfx/gl.h"
#include "gfx/gl_entry_points.h"

void drawScreenQuad(bool flipped) {
  const float top = flipped ? 0.0f : 1.0f, bottom = flipped ? 1.0f : 0.0f;
  glBegin(GL_QUADS);
  glTexCoord2f(0, bottom);
  glVertex2f(-1, -1);
  glTexCoord2f(1, bottom);
  glVertex2f(1, -1);
  glTexCoord2f(1, top);
  glVertex2f(1, 1);
  glTexCoord2f(0, top);
  glVertex2f(-1, 1);
  glEnd();
}

void setup2D() {
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void releaseTextureUnits() {
  gl.glActiveTextureARB(GL_TEXTURE1_ARB);
  glDisable(GL_TEXTURE_2D);
  gl.glActiveTextureARB(GL_TEXTURE0_ARB);
  glBindTexture(GL_TEXTURE_2D, 0);
}
