#include "effects/kinds/sorver.h"

#include "effects/camera.h"
#include "effects/lights.h"
#include "gfx/gl.h"
#include "gfx/gpu_programs.h"
#include "gfx/material_pass.h"
#include "gfx/mesh_draw.h"

void SorverEffect::initialise() {
  framePrologue(0.0f, 0.0f);
  surfaces_ = buildLatheSurfaces(*this);
}

void SorverEffect::render(float time, float timeStep) {
  framePrologue(time, timeStep);
  const int surfaceCount = readSurfaceCount(*this, surfaces_);
  readAndSetupCamera(*this);
  const int lights = lightCount(*this);

  glDepthFunc(GL_LEQUAL);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_CULL_FACE);
  glEnable(GL_DEPTH_TEST);
  bindGpuPrograms(gpuPrograms.phongSpecularMap);
  morphLatheSurfaces(*this, surfaces_, surfaceCount);
  for (int light = 0; light < lights; ++light) drawLightPass(light, surfaceCount);
  endMaterialPasses();

  for (int index = 0; index < lights; ++index) drawLightFlare(*this, index, readLight(*this, index));
  copyToTextureOut();
}

void SorverEffect::drawLightPass(int index, int surfaceCount) {
  const Light light = readLight(*this, index);
  beginLightPass(index);
  const Vec3 eye = lightRelativeToEyeSpace(light.position);
  for (int j = 0; j < surfaceCount; ++j) {
    if (const Material* material = readSurfaceMaterial(*this, j))
      applyMaterialPass(*material, light.color, eye);
    glPushMatrix();
    applySurfaceTransform(*this, j);
    drawTangentArrays(surfaces_[j].arrays);
    glPopMatrix();
  }
}
