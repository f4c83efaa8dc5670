#include "effects/springy_effect.h"

#include "effects/box_tube.h"
#include "gfx/random.h"

namespace {

SwimState springyPath;

Mesh shortBackTube() { return buildBoxTube({8, 5.0f, 1.0f, 4, 4, {1.0f, 1.0f, 1.0f}}); }

// Copies step back in depth and fan out around the z axis.
void fanBackCopy(BackCopy& p, int copy, int) {
  const float c = float(copy);
  p.position = {p.position.x, p.position.y - 3.5f, p.position.z - 1.25f * c};
  p.centre.y += 3.5f;
  const float r1 = nextRandomUnit();
  const float r2 = nextRandomUnit();
  p.rotation.y += 3.0f * r2;
  p.rotation.z += 60.0f * c + 12.0f * r1 + 45.0f;
  p.scale = {p.scale.x * 15.0f, p.scale.y * 0.2f, p.scale.z};
}

SwimmingTubeVariant springyVariant() {
  SwimmingTubeVariant variant;
  variant.path = SwimPath::Glide;
  variant.state = &springyPath;
  variant.buildBackTube = shortBackTube;
  variant.placeBackCopy = fanBackCopy;
  ParticleStyle& style = variant.particles;
  style.swirl = 0.01f;
  style.push = 0.02f;
  style.pull = 0.025f;
  style.damping = 0.95f;
  style.sizeRandom = 0.1f;
  style.sizeByDistance = 0.005f;
  style.distanceLimit = 1000.0f;
  style.sizeBase = 2.0f;
  style.sizeFromCamera = true;
  style.angleOffset = 180.0f;
  style.widthPerSize = 2.0f;
  style.alphaPerSize = 1.0f;
  style.vortexAlpha = 1.0f;
  return variant;
}

const SwimmingTubeVariant kSpringy = springyVariant();

}  // namespace

SpringyEffect::SpringyEffect() : SwimmingTubeEffect(kSpringy) {}
