#include "gfx/shadow_map.h"

#include <cstdio>

#include "gfx/gl.h"
#include "gfx/gl_entry_points.h"
#include "gfx/math.h"
#include "gfx/texture_pool.h"

namespace {

// One slot per map plus a scratch slot for indices outside 0..3.
struct ShadowLightMatrices {
  GLfloat projection[kShadowMapCount + 1][16] = {};
  GLfloat modelview[kShadowMapCount + 1][16] = {};
};

ShadowLightMatrices lights;
int lastConfiguredUnit = 0;

// Maps clip coordinates -1..1 to texture coordinates 0..1.
const GLfloat kBias[16] = {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 0.5f, 0, 0.5f, 0.5f, 0.5f, 1};

// An index outside 0..3 keeps its matrices in the scratch slot; its map
// name is unknown to the pool, so binding and copying it do nothing.
int slot(int index) { return index >= 0 && index < kShadowMapCount ? index : kShadowMapCount; }

void shadowMapName(int index, char (&name)[24]) { snprintf(name, sizeof name, "shadowmap%d", index); }

void selectUnit(int unit) { gl.glActiveTextureARB(GL_TEXTURE0_ARB + unit); }

}  // namespace

void beginShadowPass(int index) {
  const int i = slot(index);
  glGetFloatv(GL_PROJECTION_MATRIX, lights.projection[i]);
  glGetFloatv(GL_MODELVIEW_MATRIX, lights.modelview[i]);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadMatrixf(lights.projection[i]);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadMatrixf(lights.modelview[i]);
  const int size = renderHeight();
  glViewport(0, 0, size, size);
  glClearDepth(1.0);
  glClear(GL_DEPTH_BUFFER_BIT);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1.0f, 0.0f);
  glClearDepth(1.0);
}

void endShadowPass(int index) {
  char name[24];
  shadowMapName(index, name);
  const int size = renderHeight();
  bindTexture(name, GL_REPEAT, GL_LINEAR);
  copyScreenToTexture(name, size, size);
  glClear(GL_DEPTH_BUFFER_BIT);
  glCullFace(GL_FRONT);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDisable(GL_POLYGON_OFFSET_FILL);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glDisable(GL_CULL_FACE);
  glViewport(0, 0, renderWidth(), renderHeight());
  glDepthFunc(GL_LEQUAL);
}

void bindShadowMaps(int index, int lastUnit) {
  const int i = slot(index);
  GLfloat lightClip[16];
  GLfloat texgen[16];
  multiply(lights.projection[i], lights.modelview[i], lightClip);
  multiply(kBias, lightClip, texgen);

  char name[24];
  shadowMapName(index, name);
  bindTexture(name, GL_REPEAT, GL_LINEAR);
  lastConfiguredUnit = lastUnit;

  // Q, R, T, S take rows 3, 2, 1, 0 of the texture generation matrix.
  const GLenum coordinates[4] = {GL_Q, GL_R, GL_T, GL_S};
  const GLenum enables[4] = {GL_TEXTURE_GEN_Q, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_T,
                             GL_TEXTURE_GEN_S};
  for (int unit = lastUnit; unit >= 0; --unit) {
    selectUnit(unit);
    for (int k = 0; k < 4; ++k) {
      const int row = 3 - k;
      const GLfloat plane[4] = {texgen[row], texgen[4 + row], texgen[8 + row], texgen[12 + row]};
      glTexGeni(coordinates[k], GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
      glTexGenfv(coordinates[k], GL_EYE_PLANE, plane);
      glEnable(enables[k]);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE_ARB, GL_COMPARE_R_TO_TEXTURE_ARB);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC_ARB, GL_LEQUAL);
  glTexParameteri(GL_TEXTURE_2D, GL_DEPTH_TEXTURE_MODE_ARB, GL_INTENSITY);
}

void unbindShadowMaps() {
  for (int unit = lastConfiguredUnit; unit >= 0; --unit) {
    selectUnit(unit);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
    glDisable(GL_TEXTURE_GEN_Q);
  }
  glDisable(GL_ALPHA_TEST);
}

const float* shadowLightProjection(int index) { return lights.projection[slot(index)]; }
const float* shadowLightModelview(int index) { return lights.modelview[slot(index)]; }
