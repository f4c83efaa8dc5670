#include "effects/kinds/breaker.h"

#include <cmath>

#include "effects/camera.h"
#include "effects/particle_styles.h"
#include "effects/parameters.h"
#include "gfx/gl.h"

namespace {

constexpr int kVortexRow = 50;

ParticleStyle breakerStyle(float particleAlpha) {
  ParticleStyle style = kBreakerParticles;
  style.alphaPerSize *= particleAlpha;
  style.vortexAlpha *= particleAlpha;
  return style;
}

}  // namespace

std::vector<Vortex> breakerVortexCross(const Vec3& position, const Vec3& centre, const Vec3& rotation) {
  std::vector<Vortex> vortices(2 * kVortexRow);
  for (int j = 0; j < 2 * kVortexRow; ++j) {
    const float a = float(j % kVortexRow) * 0.02f - 0.5f;
    Vec3 g = j < kVortexRow ? Vec3{a, 0.0f, 0.0f} : Vec3{0.0f, a, 0.0f};
    g += centre;
    rotateAboutAxis(g, 0, rotation.x);
    rotateAboutAxis(g, 1, rotation.y);
    rotateAboutAxis(g, 2, rotation.z);
    g += position;
    g *= 30.0f;
    const float size = (0.65f - std::fabs(a)) * 4.0f;
    vortices[size_t(j)] = {g, {size, size, size}, 1.0f};
  }
  return vortices;
}

void BreakerEffect::initialise() { framePrologue(0.0f, 0.0f); }

void BreakerEffect::render(float time, float timeStep) {
  framePrologue(time, timeStep);
  const float particleAlpha = readFloat(*this, "particleAlpha");
  Mesh* particles = readMesh(*this, "meshParticles");
  requiredButUnused(readMesh(*this, "meshBreaker"));
  requiredButUnused(readInt(*this, "useMeshBreaker"));
  requiredButUnused(readInt(*this, "useGenBreaker"));
  const bool drawVortices = readInt(*this, "drawBreakerParticles") != 0;
  glEnable(GL_DEPTH_TEST);
  readAndSetupCamera(*this);
  glDisable(GL_CULL_FACE);
  drawList_.clear();

  const Vec3 position = readVec3(*this, "breakerPos");
  const Vec3 centre = readVec3(*this, "breakerCen");
  const Vec3 rotation = readVec3(*this, "breakerRot");
  vortices_ = breakerVortexCross(position, centre, rotation);
  randomizeVortexStrengths(vortices_);

  Mesh noParticles;
  Mesh& cloud = particles ? *particles : noParticles;
  const ParticleSelection selection{cloud.vertexCount(), 1};
  const ParticleStyle style = breakerStyle(particleAlpha);
  const ParticleView view{cameraState.position, cameraState.direction};
  stepParticles(cloud, selection, vortices_, style, timeStep, view, drawList_);
  if (drawVortices) appendVortices(vortices_, selection, view, drawList_);
  sortBackToFront(drawList_);

  const std::string particleTexture = readTexture(*this, "textureParticle");
  const std::string vortexTexture = readTexture(*this, "textureDistor");
  drawParticleSprites(drawList_, cloud, selection, vortices_, style, particleTexture, vortexTexture);
  copyToTextureOut();
}
