// The morphing lathe surfaces of the lathe and projector kinds: for each of
// "numSorves" surfaces a base shape ("sorveCurve"), a target shape
// ("sorveCurve2") and a drawn copy whose positions are blended between the
// two every frame, each placed by its own "sorvePos", "sorveCen", "sorveRot"
// and "sorveSca".
#pragma once

#include <vector>

#include "framework/effect.h"
#include "gfx/material.h"
#include "gfx/mesh.h"
#include "gfx/mesh_draw.h"

struct LatheSurface {
  Mesh base;
  Mesh target;
  Mesh drawn;
  TangentArrays arrays;  // the drawn mesh's corners, refilled after every morph
};

// Reads "numSorves" and every surface's curves and shape parameters (the
// values the definition leaves after its run at time 0) and builds them.
std::vector<LatheSurface> buildLatheSurfaces(const Effect& effect);

// "numSorves" this frame, kept within the surfaces built at start-up.
int readSurfaceCount(const Effect& effect, const std::vector<LatheSurface>& surfaces);

// Blends the first `count` drawn surfaces by "sorveAnim" (0 the base, 1 the
// target), recomputes their normals, flipped with "sorveNormalInv", and
// refills their corner arrays.
void morphLatheSurfaces(const Effect& effect, std::vector<LatheSurface>& surfaces, int count);

// "sorveMaterial" of surface `index`; none when the list is empty.
const Material* readSurfaceMaterial(const Effect& effect, int index);

// Applies the placement of surface `index` to the model-view matrix:
// translate by pos, rotate about x, y, z (degrees), translate by -cen, scale.
void applySurfaceTransform(const Effect& effect, int index);
