#include "effects/swimming_tube_effect.h"

#include <algorithm>

#include "effects/camera.h"
#include "effects/lights.h"
#include "effects/parameters.h"
#include "effects/phong_shading.h"
#include "gfx/gl.h"
#include "gfx/gpu_programs.h"
#include "gfx/material_pass.h"
#include "gfx/mesh_draw.h"
#include "gfx/mesh_lwo2.h"
#include "gfx/random.h"

namespace {

// Copies of the back tube beyond this are not drawn: the count comes from a
// script, and every copy costs a full draw per light.
constexpr int kMaxBackCopies = 4096;
constexpr uint32_t kBackCopySeed = 123;

Vec3 lightInEyeSpace(const Vec3& lightPosition) {
  const float relative[3] = {lightPosition.x - cameraState.position.x,
                             lightPosition.y - cameraState.position.y,
                             lightPosition.z - cameraState.position.z};
  const Vec4 eye = lightToEyeSpace(relative);
  return {eye.x, eye.y, eye.z};
}

void applyPlacement(const BackCopy& p) {
  glTranslatef(p.position.x, p.position.y, p.position.z);
  glTranslatef(p.centre.x, p.centre.y, p.centre.z);
  glRotatef(p.rotation.x, 1.0f, 0.0f, 0.0f);
  glRotatef(p.rotation.y, 0.0f, 1.0f, 0.0f);
  glRotatef(p.rotation.z, 0.0f, 0.0f, 1.0f);
  glTranslatef(-p.centre.x, -p.centre.y, -p.centre.z);
  glScalef(p.scale.x, p.scale.y, p.scale.z);
}

}  // namespace

SwimmingTubeEffect::SwimmingTubeEffect(const SwimmingTubeVariant& variant) : variant_(variant) {}

void SwimmingTubeEffect::initialise() {
  if (variant_.meshReadFirst) loadMesh(variant_.meshReadFirst);
  tube_ = buildSpringTube();
  backTube_ = variant_.buildBackTube();
  seedRandom(kBackCopySeed);
}

void SwimmingTubeEffect::render(float time, float timeStep) {
  glEnable(GL_DEPTH_TEST);
  framePrologue(time, timeStep);
  readAndSetupCamera(*this);
  resetPhongShadingBuffers();
  glDisable(GL_CULL_FACE);
  if (variant_.prologueAfterCulling) framePrologue(time, timeStep);

  simulateSpringTube(tube_, *variant_.state, variant_.path, time, start, timeStep);

  const int lights = lightCount(*this);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_CULL_FACE);
  bindGpuPrograms(gpuPrograms.phongSpecularMap);
  const int backCopies = std::max(readInt(*this, "backNum"), 0);
  const int drawnBackCopies = holdCount(*this, "backNum", backCopies, kMaxBackCopies);
  recomputeNormals(tube_.body, readInt(*this, "meshNormalInv", 0, 0) != 0);
  recomputeNormals(backTube_, readInt(*this, "meshNormalInv", 0, 1) != 0);

  for (int l = 0; l < lights; ++l) {
    const Light light = readLight(*this, l);
    beginLightPass(l);
    const Vec3 eyeLight = lightInEyeSpace(light.position);
    for (int m = 0; m < 2; ++m) {
      if (const Material* material = readMaterial(*this, "meshMaterial", m))
        applyMaterialPass(*material, light.color, eyeLight);
      if (m == 0)
        drawTube(m, 1, 1);
      else
        drawTube(m, drawnBackCopies, backCopies);
    }
  }
  endMaterialPasses();
  for (int l = 0; l < lights; ++l) drawLightFlare(*this, l, readLight(*this, l));

  stirParticles(timeStep);
  copyToTextureOut();
}

void SwimmingTubeEffect::drawTube(int mesh, int drawn, int copies) {
  if (mesh == 1) seedRandom(kBackCopySeed);
  for (int c = 0; c < drawn; ++c) {
    BackCopy placement{readVec3(*this, "meshPos", {}, mesh), readVec3(*this, "meshCen", {}, mesh),
                       readVec3(*this, "meshRot", {}, mesh), readVec3(*this, "meshSca", {}, mesh)};
    if (mesh == 1) variant_.placeBackCopy(placement, c, copies);
    glPushMatrix();
    applyPlacement(placement);
    drawMeshWithTangents(mesh == 0 ? tube_.body : backTube_);
    glPopMatrix();
  }
}

void SwimmingTubeEffect::stirParticles(float timeStep) {
  Mesh* particles = readMesh(*this, "meshParticles");
  vortices_ = vorticesOnMesh(tube_.anchor, 20, 0.4f, variant_.vortexHalfSize);
  drawVortexStrengths(vortices_);
  Mesh noParticles;
  Mesh& cloud = particles ? *particles : noParticles;
  const ParticleSelection selection{cloud.vertexCount() / 2, 1};
  const ParticleView view{cameraState.position, cameraState.direction};
  drawList_.clear();
  stepParticles(cloud, selection, vortices_, variant_.particles, timeStep, view, drawList_);
  appendVortices(vortices_, selection, view, drawList_);
  sortBackToFront(drawList_);
  const std::string particleTexture = readTexture(*this, "textureParticle");
  const std::string vortexTexture = readTexture(*this, "textureDistor");
  drawParticleSprites(drawList_, cloud, selection, vortices_, variant_.particles, particleTexture,
                      vortexTexture);
}
