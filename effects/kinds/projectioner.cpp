#include "effects/kinds/projectioner.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "effects/camera.h"
#include "effects/lights.h"
#include "effects/parameters.h"
#include "gfx/gl.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/material_pass.h"
#include "gfx/mesh_draw.h"
#include "gfx/screen_quad.h"
#include "gfx/shadow_map.h"
#include "gfx/texture_pool.h"

namespace {

enum Stage { kShadowStage = 0, kProjectionStage = 1, kSurfaceStage = 2 };

std::string perLightName(const char* prefix, int light) {
  char name[32];
  snprintf(name, sizeof name, "%s%d", prefix, light);
  return name;
}

std::string projectionPicture(int light) { return perLightName("valokuva", light); }
std::string surfacePicture(int light) { return perLightName("bumpkuva", light); }

void selectUnit(int unit) { gl.glActiveTextureARB(GL_TEXTURE0_ARB + unit); }

void drawPositions(const TangentArrays& arrays) {
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, arrays.positions.data());
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(arrays.positions.size() / 3));
  glPopClientAttrib();
}

// The first light starts from a clear frame; later lights keep the colour the
// earlier ones left.
void clearForLight(int light) { glClear(light == 0 ? GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT : GL_DEPTH_BUFFER_BIT); }

void addLightPictures(int renderingMode, int lights) {
  glDisable(GL_COLOR_MATERIAL);
  glColor4f(1, 1, 1, 1);
  glClear(GL_DEPTH_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glDisable(GL_DEPTH_TEST);
  setup2D();
  for (int light = 0; light < lights; ++light) {
    if (renderingMode == 0) {
      bindTexture(projectionPicture(light), GL_REPEAT, GL_LINEAR);
      drawScreenQuad(false);
      continue;
    }
    selectUnit(1);
    bindTexture(projectionPicture(light), GL_REPEAT, GL_LINEAR);
    selectUnit(0);
    bindTexture(surfacePicture(light), GL_REPEAT, GL_LINEAR);
    bindGpuPrograms(gpuPrograms.blendMultiply);
    drawScreenQuad(false);
    unbindGpuPrograms();
  }
  glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace

void ProjectionerEffect::initialise() {
  framePrologue(0.0f, 0.0f);
  surfaces_ = buildLatheSurfaces(*this);
  for (int light = 0; light < kShadowMapCount; ++light) {
    makeRenderSizeTexture(projectionPicture(light));
    makeRenderSizeTexture(surfacePicture(light));
  }
}

void ProjectionerEffect::render(float time, float timeStep) {
  framePrologue(time, timeStep);
  const int surfaceCount = readSurfaceCount(*this, surfaces_);
  readAndSetupCamera(*this);
  // Only four shadow maps and picture pairs exist.
  const int lights = std::clamp(lightCount(*this), 0, kShadowMapCount);

  glDepthFunc(GL_LEQUAL);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_CULL_FACE);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_COLOR_MATERIAL);
  morphLatheSurfaces(*this, surfaces_, surfaceCount);

  const int renderingMode = readInt(*this, "renderingMode");
  const int stages = renderingMode == 0 ? 2 : 3;
  for (int stage = 0; stage < stages; ++stage)
    for (int light = 0; light < lights; ++light)
      drawStage(stage, light, renderingMode, surfaceCount);

  addLightPictures(renderingMode, lights);
  setupCamera();
  for (int index = 0; index < lights; ++index) drawLightFlare(*this, index, readLight(*this, index));
  copyToTextureOut();
}

void ProjectionerEffect::drawStage(int stage, int light, int renderingMode, int surfaceCount) {
  const Light lamp = readLight(*this, light);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  if (stage == kShadowStage) {
    cameraState.position = lamp.position;
    cameraState.lookAt = readVec3(*this, "lightLookAt", {}, light);
    setupCamera();
    beginShadowPass(light);
  } else {
    readAndSetupCamera(*this);
  }
  if (stage == kProjectionStage) {
    bindShadowMaps(light, 1);
    clearForLight(light);
    selectUnit(1);
    glEnable(GL_TEXTURE_2D);
    bindTexture(readTexture(*this, "lightProjection", light), GL_REPEAT, GL_LINEAR);
    selectUnit(0);
    glEnable(GL_TEXTURE_2D);
  } else if (stage == kSurfaceStage) {
    clearForLight(light);
  }
  glDisable(GL_BLEND);
  drawSurfaces(stage, renderingMode, surfaceCount, lamp.color, lightRelativeToEyeSpace(lamp.position));

  if (stage == kShadowStage) {
    endShadowPass(light);
  } else if (stage == kProjectionStage) {
    selectUnit(1);
    glDisable(GL_TEXTURE_2D);
    selectUnit(0);
    unbindShadowMaps();
    copyScreenToTexture(projectionPicture(light), 0, 0);
  } else {
    copyScreenToTexture(surfacePicture(light), 0, 0);
  }
}

void ProjectionerEffect::drawSurfaces(int stage, int renderingMode, int surfaceCount,
                                      const Vec3& lightColor, const Vec3& lightEye) {
  const bool materialPass = stage == kSurfaceStage && renderingMode == 1;
  for (int j = 0; j < surfaceCount; ++j) {
    const Material* material = readSurfaceMaterial(*this, j);
    if (materialPass) {
      bindGpuPrograms(gpuPrograms.phongSpecularMap);
      if (material) bindMaterialTextures(*material);
    }
    // The environment only matters where the programs are bound.
    if (material) setMaterialEnvironment(*material, lightColor, lightEye);
    glPushMatrix();
    applySurfaceTransform(*this, j);
    if (stage == kSurfaceStage) {
      drawTangentArrays(surfaces_[j].arrays);
    } else {
      if (renderingMode == 0)
        glColor4f(lightColor.x, lightColor.y, lightColor.z, 1);
      else
        glColor4f(1, 1, 1, 1);
      drawPositions(surfaces_[j].arrays);
    }
    glPopMatrix();
    if (materialPass) {
      for (int unit = 3; unit >= 0; --unit) {
        selectUnit(unit);
        glDisable(GL_TEXTURE_2D);
      }
      unbindGpuPrograms();
    }
  }
}
