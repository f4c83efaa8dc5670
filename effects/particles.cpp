#include "effects/particles.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "gfx/gl.h"
#include "gfx/portable_math.h"
#include "gfx/random.h"
#include "gfx/sprites.h"
#include "gfx/texture_pool.h"

namespace {

constexpr uint32_t kParticleSeed = 123;

// All vortices act on one particle: it circles each about the z axis and its
// velocity gains the push or pull. Its sprite angle restarts from 0. The loop
// runs for every particle and vortex each frame, so it stays in plain floats.
void stir(MeshVertex& particle, const std::vector<Vortex>& vortices, const ParticleStyle& style,
          float timeStep) {
  Vec3 p = particle.position;
  Vec3 velocity = particle.normal;
  const float weightZ2 = style.distanceWeightZ * style.distanceWeightZ;
  for (const Vortex& vortex : vortices) {
    const float dx = p.x - vortex.position.x, dy = p.y - vortex.position.y, dz = p.z - vortex.position.z;
    const float q = (dx * dx + dy * dy + dz * dz * weightZ2) * 0.01f;
    const float u = vortex.strength / (q + 0.01f);

    const float angle = timeStep * u * style.swirl;
    const float c = portableCos(angle), s = portableSin(angle);
    p.x = vortex.position.x + c * dx - s * dy;
    p.y = vortex.position.y + s * dx + c * dy;

    const float gain = timeStep * u * (style.push * u - style.pull);
    velocity = {velocity.x + dx * gain, velocity.y + dy * gain, velocity.z + dz * gain};
  }
  if (!vortices.empty()) particle.restPosition.y = 0.0f;
  particle.position = p;
  particle.normal = velocity;
}

// The step along the velocity it had, then the damping; new size and angle.
void move(MeshVertex& particle, const ParticleStyle& style, float timeStep, const ParticleView& view) {
  Vec3& p = particle.position;
  const Vec3 step = particle.normal;
  particle.normal *= 1.0f - style.damping * timeStep;
  p = {p.x + step.x * timeStep, p.y + step.y * timeStep, p.z + step.z * timeStep};

  const Vec3 fromCentre = style.sizeFromCamera ? p - view.position : p;
  const float r = nextRandomUnit();
  particle.restPosition.x = style.sizeRandom * r * r +
                            style.sizeByDistance * std::min(dot(fromCentre, fromCentre), style.distanceLimit) +
                            style.sizeBase;
  particle.restPosition.y += 40.0f * (nextRandomUnit() - 0.5f) + style.angleOffset;
}

float depthOf(const Vec3& position, const ParticleView& view) {
  return dot(position - view.position, view.direction);
}

// Binds pool textures with GL_REPEAT and linear filtering, skipping a bind of
// the texture already bound. A name missing from the pool binds nothing.
class SpriteTextureBinder {
 public:
  void bind(const Texture* texture) {
    if (!texture || texture == bound_) return;
    glBindTexture(GL_TEXTURE_2D, texture->id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    bound_ = texture;
  }

 private:
  const Texture* bound_ = nullptr;
};

}  // namespace

ParticleSelection stridedSelection(int limit, int stride) {
  if (limit <= 0 || stride <= 0) return {0, stride > 0 ? stride : 1};
  return {(limit + stride - 1) / stride, stride};
}

std::vector<Vortex> vorticesOnMesh(const Mesh& mesh, int spacing, float scale, Vec3 halfSize) {
  std::vector<Vortex> vortices;
  if (spacing <= 0) return vortices;
  const int count = mesh.vertexCount() / spacing;
  vortices.reserve(size_t(count));
  for (int j = 0; j < count; ++j) {
    const Vec3& p = mesh.vertices[size_t(j * spacing)].position;
    vortices.push_back({{p.x * scale, p.y * scale, p.z * scale}, halfSize, 1.0f});
  }
  return vortices;
}

void randomizeVortexStrengths(std::vector<Vortex>& vortices) {
  seedRandom(kParticleSeed);
  for (Vortex& vortex : vortices) vortex.strength = nextRandomUnit() * 0.1f + 1.0f;
}

void stepParticles(Mesh& particles, ParticleSelection selection, const std::vector<Vortex>& vortices,
                   const ParticleStyle& style, float timeStep, const ParticleView& view,
                   std::vector<SpriteOrder>& drawList) {
  const int stride = std::max(selection.stride, 1);
  for (int i = 0; i < selection.count; ++i) {
    const size_t vertex = size_t(i) * size_t(stride);
    if (vertex >= particles.vertices.size()) break;
    MeshVertex& particle = particles.vertices[vertex];
    stir(particle, vortices, style, timeStep);
    move(particle, style, timeStep, view);
    drawList.push_back({i, depthOf(particle.position, view)});
  }
}

void appendVortices(const std::vector<Vortex>& vortices, ParticleSelection selection,
                    const ParticleView& view, std::vector<SpriteOrder>& drawList) {
  for (size_t j = 0; j < vortices.size(); ++j)
    drawList.push_back({selection.count + int(j), depthOf(vortices[j].position, view)});
}

void sortBackToFront(std::vector<SpriteOrder>& drawList) {
  // A NaN depth would break the ordering the sort relies on.
  for (SpriteOrder& entry : drawList)
    if (std::isnan(entry.depth)) entry.depth = -std::numeric_limits<float>::infinity();
  std::sort(drawList.begin(), drawList.end(),
            [](const SpriteOrder& a, const SpriteOrder& b) { return a.depth > b.depth; });
}

void drawParticleSprites(const std::vector<SpriteOrder>& drawList, const Mesh& particles,
                         ParticleSelection selection, const std::vector<Vortex>& vortices,
                         const ParticleStyle& style, const std::string& particleTexture,
                         const std::string& vortexTexture) {
  beginSprites();
  const Texture* particleSprite = findTexture(particleTexture);
  const Texture* vortexSprite = findTexture(vortexTexture);
  SpriteTextureBinder binder;
  binder.bind(vortexSprite);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);

  const Vec3 white{1.0f, 1.0f, 1.0f};
  const Vec3 vortexColor{1.0f, 0.8f, 0.5f};
  const int stride = std::max(selection.stride, 1);
  const float vortexCount = float(vortices.size());
  for (const SpriteOrder& entry : drawList) {
    if (entry.index < selection.count) {
      const MeshVertex& particle = particles.vertices[size_t(entry.index) * size_t(stride)];
      const float size = particle.restPosition.x;
      binder.bind(particleSprite);
      drawSprite(particle.position, style.widthPerSize * size, size, white, particle.restPosition.y,
                 style.alphaPerSize / size);
    } else {
      const int j = entry.index - selection.count;
      const Vortex& vortex = vortices[size_t(j)];
      binder.bind(vortexSprite);
      drawSprite(vortex.position, vortex.halfSize.x, vortex.halfSize.y, vortexColor,
                 360.0f * float(j) / vortexCount, style.vortexAlpha);
    }
  }
  endSprites();
}
