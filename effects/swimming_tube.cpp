#include "effects/swimming_tube.h"

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
// A scale declared with fewer than three components leaves the rest at zero.
constexpr MeshPlacement kUnscaledPlacement{.scale = {}};

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
    const Vec3 eyeLight = lightRelativeToEyeSpace(light.position);
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
    MeshPlacement placement = readMeshPlacement(*this, "mesh", mesh, kUnscaledPlacement);
    if (mesh == 1) variant_.placeBackCopy(placement, c, copies);
    glPushMatrix();
    applyMeshPlacement(placement, Pivot::kAboutCentre);
    drawMeshWithTangents(mesh == 0 ? tube_.body : backTube_);
    glPopMatrix();
  }
}

void SwimmingTubeEffect::stirParticles(float timeStep) {
  Mesh* particles = readMesh(*this, "meshParticles");
  vortices_ = vorticesOnMesh(tube_.anchor, 20, 0.4f, variant_.vortexHalfSize);
  randomizeVortexStrengths(vortices_);
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
