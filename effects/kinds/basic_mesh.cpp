#include "effects/kinds/basic_mesh.h"

#include "effects/camera.h"
#include "effects/mesh_transform.h"
#include "effects/parameters.h"
#include "effects/phong_shading.h"
#include "gfx/gl.h"
#include "gfx/mesh_draw.h"
#include "gfx/mesh_lwo2.h"

void BasicMeshEffect::initialise() { mesh_ = loadMesh("./quarno/meshes/vurivev_meta_open.lwo"); }

void BasicMeshEffect::render(float time, float timeStep) {
  readInt(*this, "use16");  // declared by every definition of this kind, unused
  glEnable(GL_DEPTH_TEST);
  framePrologue(time, timeStep);
  readAndSetupCamera(*this);
  glDisable(GL_CULL_FACE);
  readFloat(*this, "animFactor");  // declared, unused
  recomputeNormalsAlongWinding(mesh_, false);
  applyMeshTransform(*this);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glDepthFunc(GL_LEQUAL);
  clearToBackColor(*this);
  beginPhongShading(*this);
  glPushMatrix();
  drawMeshBasic(mesh_);
  glPopMatrix();
  endPhongShading();
  copyToTextureOut();
}
