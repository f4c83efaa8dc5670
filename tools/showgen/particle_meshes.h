// Point sets: "dots" (many small separate triangles in a shell around the
// origin) and the particle cloud (points only, for particle effects that use a
// mesh's vertices as their particles).
#pragma once

#include "tools/showgen/generated_file.h"
#include "tools/showgen/geometry.h"

namespace showgen {

constexpr int kDotCount = 3000;
constexpr int kCloudPointCount = 3000;

PolyMesh makeDots();
PolyMesh makeParticleCloud();

// "quarno/meshes/dots.lwo" and "quarno/meshes/particles.lwo".
GeneratedFiles generateParticleMeshes();

}  // namespace showgen
