#include "gfx/sprites.h"

#include "gfx/gl.h"

namespace {

// The model-view matrix current at beginSprites.
GLfloat savedModelview[16];

}  // namespace

void beginSprites() {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glDisable(GL_CULL_FACE);
  glGetFloatv(GL_MODELVIEW_MATRIX, savedModelview);
  GLfloat facing[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, facing);
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 3; ++row) facing[column * 4 + row] = column == row ? 1.0f : 0.0f;
  glLoadMatrixf(facing);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.01f);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void drawSprite(const Vec3& position, float halfWidth, float halfHeight, const Vec3& color,
                float angleDegrees, float alpha) {
  const GLfloat* m = savedModelview;
  glPushMatrix();
  glTranslatef(position.x * m[0] + position.y * m[4] + position.z * m[8],
               position.x * m[1] + position.y * m[5] + position.z * m[9],
               position.x * m[2] + position.y * m[6] + position.z * m[10]);
  glColor4f(color.x, color.y, color.z, alpha);
  glRotatef(angleDegrees, 0.0f, 0.0f, 1.0f);
  glNormal3f(0.0f, 0.0f, 1.0f);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(-halfWidth, -halfHeight, 0.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-halfWidth, halfHeight, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(halfWidth, halfHeight, 0.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(halfWidth, -halfHeight, 0.0f);
  glEnd();
  glPopMatrix();
}

void endSprites() {
  glPopMatrix();
  glDisable(GL_ALPHA_TEST);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}
