#include "effects/kinds/cubetube.h"

#include <string>
#include <vector>

#include "effects/accumulation_ring.h"
#include "effects/box_tube.h"
#include "effects/camera.h"
#include "effects/lights.h"
#include "effects/mesh_transform.h"
#include "effects/music_tube.h"
#include "effects/parameters.h"
#include "effects/particle_styles.h"
#include "effects/spectrum_history.h"
#include "gfx/gl.h"
#include "gfx/gpu_programs.h"
#include "gfx/material_pass.h"
#include "gfx/mesh_draw.h"
#include "gfx/texture_pool.h"

namespace {

SpectrumHistory cubetubeSpectrum;
RingCursor cubetubeRing;

// Every 15th tube vertex stirs the particles; every 5th of the first fifth of
// the particle mesh's vertices is a particle.
constexpr int kVortexSpacing = 15;
constexpr int kParticleStride = 5;
// The vortex sprites are small glints on the tube.
constexpr Vec3 kVortexHalfSize = {0.05f, 0.05f, 0.05f};


}  // namespace

void pinchTube(Mesh& tube) {
  for (MeshVertex& vertex : tube.vertices)
    vertex.restPosition.x = powerSigned(4.0f * vertex.restPosition.x, 4.0f, true);
}

void CubetubeEffect::initialise() {
  tube_ = buildBoxTube(BoxTubeShape{96, 2, 1, 4, 4, {1, 1, 1}});
  pinchTube(tube_);
  framePrologue(0, 0);
  ringSize_ = clampRingSize(readHeldCount(*this, "accumNum", kMaxRingSize));
  makeRingTextures(ringSize_);
  makeRenderSizeTexture("cubetubeBack");
}

void CubetubeEffect::render(float time, float timeStep) {
  const int use16 = readInt(*this, "use16");
  const int passes = clampPassCount(readHeldCount(*this, "accumTimes", kMaxPassesPerFrame));
  Mesh* particles = readMesh(*this, "meshParticles");
  const Vec3 back = readVec3(*this, "backColor");
  for (int pass = 0; pass < passes; ++pass) {
    glClearColor(back.x, back.y, back.z, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawPass(passTime(time, pass, passes), timeStep, pass, particles);
  }
  drawRingAverage(ringSize_, use16 != 0, RingBase::kCleared);
  copyToTextureOut();
}

void CubetubeEffect::drawPass(float time, float timeStep, int pass, Mesh* particles) {
  const int ringIndex = advanceRing(cubetubeRing, ringSize_);
  framePrologue(time, kPassTimeStep);
  glEnable(GL_DEPTH_TEST);
  readAndSetupCamera(*this);
  glDisable(GL_CULL_FACE);
  const int mode = readInt(*this, "mode");

  updateSpectrumHistory(cubetubeSpectrum);
  deformTube(tube_, mode, TubeMusic{cubetubeSpectrum, time}, cubetubeVertex);
  if (pass == 0) smoothTubeNormals(tube_, mode == 1);

  drawLitTube();
  drawParticles(particles, timeStep);
  copyFrameToRing(ringIndex);
}

void CubetubeEffect::drawLitTube() {
  const int lights = lightCount(*this);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_CULL_FACE);
  bindGpuPrograms(gpuPrograms.phongSpecularMap);
  recomputeNormals(tube_, readInt(*this, "meshNormalInv") != 0);
  for (int l = 0; l < lights; ++l) {
    const Light light = readLight(*this, l);
    beginLightPass(l);
    const Vec3 eyeLight = lightRelativeToEyeSpace(light.position);
    if (const Material* material = readMaterial(*this, "meshMaterial"))
      applyMaterialPass(*material, light.color, eyeLight);
    glPushMatrix();
    applyMeshTransform(*this);
    drawMeshWithTangents(tube_);
    glPopMatrix();
  }
  endMaterialPasses();
  for (int l = 0; l < lights; ++l) drawLightFlare(*this, l, readLight(*this, l));
}

void CubetubeEffect::drawParticles(Mesh* particles, float timeStep) {
  // A definition whose particle variable holds no mesh still reads the
  // sprite textures, so the parameters are read in the same order.
  Mesh none;
  Mesh& cloud = particles ? *particles : none;
  std::vector<Vortex> vortices = vorticesOnMesh(tube_, kVortexSpacing, 1.0f, kVortexHalfSize);
  randomizeVortexStrengths(vortices);
  const ParticleSelection selection =
      stridedSelection(cloud.vertexCount() / kParticleStride, kParticleStride);
  const ParticleView view{cameraState.position, cameraState.direction};
  std::vector<SpriteOrder> drawList;
  stepParticles(cloud, selection, vortices, kCubetubeParticles, timeStep, view, drawList);
  appendVortices(vortices, selection, view, drawList);
  sortBackToFront(drawList);
  const std::string particleTexture = readTexture(*this, "textureParticle");
  const std::string vortexTexture = readTexture(*this, "textureDistor");
  drawParticleSprites(drawList, cloud, selection, vortices, kCubetubeParticles, particleTexture,
                      vortexTexture);
}
