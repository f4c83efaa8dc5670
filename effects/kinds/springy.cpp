#include "effects/kinds/springy.h"

#include "effects/box_tube.h"
#include "effects/particle_styles.h"
#include "gfx/random.h"

namespace {

SwimState springyPath;

Mesh shortBackTube() { return buildBoxTube({8, 5.0f, 1.0f, 4, 4, {1.0f, 1.0f, 1.0f}}); }

// Copies step back in depth and fan out around the z axis.
void fanBackCopy(MeshPlacement& p, int copy, int) {
  const float c = float(copy);
  p.position = {p.position.x, p.position.y - 3.5f, p.position.z - 1.25f * c};
  p.centre.y += 3.5f;
  const float r1 = nextRandomUnit();
  const float r2 = nextRandomUnit();
  p.rotation.y += 3.0f * r2;
  p.rotation.z += 60.0f * c + 12.0f * r1 + 45.0f;
  p.scale = {p.scale.x * 15.0f, p.scale.y * 0.2f, p.scale.z};
}

const SwimmingTubeVariant kSpringy{
    .path = SwimPath::Glide,
    .state = &springyPath,
    .buildBackTube = shortBackTube,
    .placeBackCopy = fanBackCopy,
    .particles = kSpringyParticles,
};

}  // namespace

SpringyEffect::SpringyEffect() : SwimmingTubeEffect(kSpringy) {}
