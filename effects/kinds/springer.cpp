#include "effects/kinds/springer.h"

#include <cmath>

#include "effects/box_tube.h"
#include "effects/particle_styles.h"
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
void turnBackCopy(MeshPlacement& p, int copy, int copies) {
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

const SwimmingTubeVariant kSpringer{
    .path = SwimPath::Tumble,
    .state = &springerPath,
    .prologueAfterCulling = true,
    .meshReadFirst = "./quarno/meshes/vurivev_meta_open.lwo",
    .buildBackTube = flaredBackTube,
    .placeBackCopy = turnBackCopy,
    .particles = kSpringerParticles,
};

}  // namespace

SpringerEffect::SpringerEffect() : SwimmingTubeEffect(kSpringer) {}
