// Point sets: "dots" (many small separate triangles in a shell around the
// origin), the particle cloud (points only, for particle effects that use a
// mesh's vertices as their particles), and the larger point sets of the
// vortex kinds: a wide disc and the swimming tubes' trail and ball.
#pragma once

#include "tools/showgen/generated_file.h"
#include "tools/showgen/geometry.h"

namespace showgen {

constexpr int kDotCount = 3000;
constexpr int kCloudPointCount = 3000;
constexpr int kVortexDiscPointCount = 30;
constexpr int kSwimPointCount = 200;

PolyMesh makeDots();
PolyMesh makeParticleCloud();
// Points in a disc of radius 2 to 15 parallel to the x-y plane, 2 deep
// either side of z = -45.
PolyMesh makeVortexDisc();
// Points in a long box ahead of an eye at the origin looking towards -z.
PolyMesh makeSwimTrail();
// Points in a ball of radius 14.
PolyMesh makeSwimBall();

// "quarno/meshes/dots.lwo", "particles.lwo", "vortex_disc.lwo",
// "swim_trail.lwo" and "swim_ball.lwo".
GeneratedFiles generateParticleMeshes();

}  // namespace showgen
