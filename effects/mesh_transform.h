// The mesh transform block: a mesh's placement read from "<prefix>Pos",
// "<prefix>Cen", "<prefix>Rot" (degrees about x, then y, then z) and
// "<prefix>Sca" at one element index, and applied to the model-view matrix.
// The kinds differ in whether the mesh is first moved by +centre, so that it
// turns about its centre, or only by -centre after the rotations.
#pragma once

#include <string_view>

#include "framework/effect.h"
#include "gfx/math.h"

struct MeshPlacement {
  Vec3 position;
  Vec3 centre;
  Vec3 rotation;
  Vec3 scale{1.0f, 1.0f, 1.0f};
};

// Reads the four parameters in the order Pos, Cen, Rot, Sca; components a
// parameter's declared type lacks keep those of `preset`.
MeshPlacement readMeshPlacement(const Effect& effect, std::string_view prefix = "mesh",
                                int index = 0, const MeshPlacement& preset = {});

enum class Pivot {
  kAboutCentre,      // translate(pos + cen), rotate, translate(-cen), scale
  kWithoutCentre,    // translate(pos), rotate, translate(-cen), scale
};

void applyMeshPlacement(const MeshPlacement& placement, Pivot pivot);

// "meshPos", "meshCen", "meshRot", "meshSca" read and applied about the centre.
void applyMeshTransform(const Effect& effect);
