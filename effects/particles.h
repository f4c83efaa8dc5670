// Vortex particles: a cloud of sprites kept in the vertices of a mesh and
// stirred by a set of vortex points. Near a vortex a particle is pushed away,
// farther off it is drawn in, and it always circles the vortex about the z
// axis. The state lives in the mesh itself, so it carries over between frames
// and between effects that share the mesh:
//   position         the particle's position
//   normal           its velocity
//   restPosition.x   its sprite size (recomputed every frame)
//   restPosition.y   its sprite angle in degrees (recomputed every frame)
//
// The kinds that use it differ only in the constants of ParticleStyle, in
// where their vortex points sit and in which vertices are particles. A frame
// is: place the vortices, randomizeVortexStrengths (strengths from the shared
// random generator seeded with 123), stepParticles (stir, move, collect the draw list), appendVortices,
// sortBackToFront and drawParticleSprites.
#pragma once

#include <string>
#include <vector>

#include "gfx/math.h"
#include "gfx/mesh.h"

struct Vortex {
  Vec3 position;
  Vec3 halfSize;  // of its sprite
  float strength = 1.0f;
};

// The per-kind constants of the stepper and of the sprites.
struct ParticleStyle {
  // Weight of the z component in the distance that sets a vortex's pull.
  float distanceWeightZ = 1.0f;
  // Circling angle per unit of time step and vortex pull u (radians).
  float swirl = 0.0f;
  // Velocity change per unit of time step: d * u * (push * u - pull).
  float push = 0.0f;
  float pull = 0.0f;
  // The velocity keeps (1 - damping * timeStep) each frame.
  float damping = 0.0f;
  // size = sizeRandom * r^2 + sizeByDistance * min(|p - centre|^2, distanceLimit)
  //        + sizeBase, the centre being the camera or the origin.
  float sizeRandom = 0.0f;
  float sizeByDistance = 0.0f;
  float distanceLimit = 0.0f;
  float sizeBase = 1.0f;
  bool sizeFromCamera = false;
  // angle = 40 * (r - 0.5) + angleOffset, in degrees.
  float angleOffset = 0.0f;
  // Particle sprites have half extents (widthPerSize * size, size) and alpha
  // alphaPerSize / size.
  float widthPerSize = 1.0f;
  float alphaPerSize = 1.0f;
  float vortexAlpha = 1.0f;
};

// Which vertices of the particle mesh are particles: 0, stride, 2 * stride,
// ... (count of them).
struct ParticleSelection {
  int count = 0;
  int stride = 1;
};

// Particles at the multiples of `stride` below `limit` (no more than the mesh
// holds is the caller's limit to choose).
ParticleSelection stridedSelection(int limit, int stride);

// The camera as the stepper sees it: depth runs along `direction`.
struct ParticleView {
  Vec3 position;
  Vec3 direction;
};

// One sprite to draw: particle `index` of the selection, or vortex
// `index - selection.count`.
struct SpriteOrder {
  int index = 0;
  float depth = 0.0f;
};

// Vortices at every `spacing`-th vertex of a mesh (vertex count / spacing of
// them), positions multiplied by `scale`; strengths still to be drawn.
std::vector<Vortex> vorticesOnMesh(const Mesh& mesh, int spacing, float scale, Vec3 halfSize);

// Reseeds the shared random generator with 123 and gives each vortex, in
// order, the strength 1 + 0.1 * r.
void randomizeVortexStrengths(std::vector<Vortex>& vortices);

// One frame of stirring and motion for the selected particles, then their
// new sizes and angles (a size and an angle random number per particle, in
// order); appends one draw-list entry per particle. A selection that reaches
// past the mesh is cut at its end.
void stepParticles(Mesh& particles, ParticleSelection selection, const std::vector<Vortex>& vortices,
                   const ParticleStyle& style, float timeStep, const ParticleView& view,
                   std::vector<SpriteOrder>& drawList);

// Appends one entry per vortex, numbered after the selection's particles.
void appendVortices(const std::vector<Vortex>& vortices, ParticleSelection selection,
                    const ParticleView& view, std::vector<SpriteOrder>& drawList);

// Farthest first. A depth that is not a number sorts as the nearest.
void sortBackToFront(std::vector<SpriteOrder>& drawList);

// The sorted list as alpha-blended camera-facing sprites with the two pool
// textures; depth test on, depth writes off while drawing.
void drawParticleSprites(const std::vector<SpriteOrder>& drawList, const Mesh& particles,
                         ParticleSelection selection, const std::vector<Vortex>& vortices,
                         const ParticleStyle& style, const std::string& particleTexture,
                         const std::string& vortexTexture);
