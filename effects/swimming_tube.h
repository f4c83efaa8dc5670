// The swimming spring tube shared by "springy" and "springer": the spring
// tube (spring_tube.h) lit by every light through the material passes, a back
// tube drawn in several randomly placed copies, the lights' flares, and a
// cloud of vortex particles stirred by points on the anchor tube. The two
// kinds differ in their swimming path, their back tube and its copies, their
// particle constants, and springer runs the frame prologue twice.
#pragma once

#include <vector>

#include "effects/mesh_transform.h"
#include "effects/particles.h"
#include "effects/spring_tube.h"
#include "framework/effect.h"

struct SwimmingTubeVariant {
  SwimPath path = SwimPath::Glide;
  // Program-wide path memory of the kind, shared by all its instances.
  SwimState* state = nullptr;
  bool prologueAfterCulling = false;
  // A mesh file read (and dropped) before the tubes are built; may be null.
  const char* meshReadFirst = nullptr;
  // Builds the back tube.
  Mesh (*buildBackTube)() = nullptr;
  // Moves the placement read for copy `copy` of `copies`; draws its random
  // numbers from the shared generator.
  void (*placeBackCopy)(MeshPlacement& placement, int copy, int copies) = nullptr;
  ParticleStyle particles;
  // Small sparks: the vortices sit on the anchor tube, close to the eye.
  Vec3 vortexHalfSize{0.12f, 0.12f, 0.12f};
};

class SwimmingTubeEffect : public Effect {
 public:
  explicit SwimmingTubeEffect(const SwimmingTubeVariant& variant);
  void initialise() override;
  void render(float time, float timeStep) override;

  // For tests: the simulated tube.
  const SpringTube& tube() const { return tube_; }

 private:
  void drawLitTubes(int backCopies);
  // The first `drawn` of `copies` placements, each placed as one of `copies`.
  void drawTube(int mesh, int drawn, int copies);
  void stirParticles(float timeStep);

  const SwimmingTubeVariant& variant_;
  SpringTube tube_;
  Mesh backTube_;
  std::vector<Vortex> vortices_;
  std::vector<SpriteOrder> drawList_;
};
