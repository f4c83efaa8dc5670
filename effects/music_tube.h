// The square tube that bends and twists to the music, as the twist and cube
// tube kinds draw it: each vertex is moved from its rest position by angles
// that depend on the spectrum at a bin chosen by the vertex's place along the
// tube, in one of three modes per kind. Rest x runs along the tube.
//
// Needs: the spectrum history (effects/spectrum_history.h), meshes.
#pragma once

#include "effects/spectrum_history.h"
#include "gfx/math.h"
#include "gfx/mesh.h"

// The spectrum state a deformation reads, and the pass's script time.
struct TubeMusic {
  const SpectrumHistory& spectrum;
  float time;
};

// The twist kind's deformation of one rest position. A mode outside 0..2
// returns nothing to change (false).
bool twistVertex(int mode, const Vec3& rest, const TubeMusic& music, Vec3& out);
// The cube tube kind's deformation of one rest position; false outside 0..2.
bool cubetubeVertex(int mode, const Vec3& rest, const TubeMusic& music, Vec3& out);

using TubeDeformation = bool (*)(int, const Vec3&, const TubeMusic&, Vec3&);
// Rewrites every position from its rest position; a mode the deformation does
// not know leaves the tube as it was.
void deformTube(Mesh& tube, int mode, const TubeMusic& music, TubeDeformation deformation);

// Face normals normalise((b - a) x (c - a)); each vertex the normalised sum of
// its faces' normals, negated when `negate`.
void smoothTubeNormals(Mesh& tube, bool negate);
