#include "effects/springer_effect.h"

#include <cmath>

#include "effects/box_tube.h"
#include "gfx/portable_math.h"
#include "gfx/random.h"

namespace {

SwimState springerPath;

// Widening towards both ends.
Mesh flaredBackTube() {
  Mesh tube = buildBoxTube({8, 16.0f, 1.0f, 4, 4, {64.0f, 0.5f, 2.0f}});
  scaleTubeSection(tube, [](float x) { return float(portablePow(std::fabs(x) * 0.03125 + 1.0, 9)); });
  return tube;
}

// Copies share the place and turn evenly around the z axis.
void turnBackCopy(BackCopy& p, int copy, int copies) {
  const float c = float(copy);
  const float r1 = nextRandomUnit();
  const float r2 = nextRandomUnit();
  const float r3 = nextRandomUnit();
  p.position.y += 5.0f;
  p.centre.y += 0.25f * r1 - 5.0f;
  p.rotation.y += r3 + 0.75f * c;
  p.rotation.z += 360.0f * c / float(copies) + 5.0f * r2;
  p.scale = {p.scale.x * 5.0f, p.scale.y * 0.2f, p.scale.z};
}

SwimmingTubeVariant springerVariant() {
  SwimmingTubeVariant variant;
  variant.path = SwimPath::Tumble;
  variant.state = &springerPath;
  variant.prologueAfterCulling = true;
  variant.meshReadFirst = "./quarno/meshes/vurivev_meta_open.lwo";
  variant.buildBackTube = flaredBackTube;
  variant.placeBackCopy = turnBackCopy;
  ParticleStyle& style = variant.particles;
  style.swirl = 0.001f;
  style.push = 0.025f;
  style.pull = 0.01f;
  style.damping = 0.95f;
  style.sizeRandom = 0.1f;
  style.sizeByDistance = 0.0005f;
  style.distanceLimit = 10000.0f;
  style.sizeBase = 2.0f;
  style.sizeFromCamera = false;
  style.angleOffset = 180.0f;
  style.widthPerSize = 1.0f;
  style.alphaPerSize = 0.15f;
  style.vortexAlpha = 1.0f;
  return variant;
}

const SwimmingTubeVariant kSpringer = springerVariant();

}  // namespace

SpringerEffect::SpringerEffect() : SwimmingTubeEffect(kSpringer) {}
