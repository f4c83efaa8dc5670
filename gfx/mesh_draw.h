// Drawing meshes: the basic path from one vertex array, the material path in
// immediate mode. The vertex programs read the tangent from the primary
// colour, so the colour carries it.
#pragma once

#include "gfx/mesh.h"

// The basic path: one constant colour (1, 0, 0, 0), then per corner texture
// coordinate set 0, normal and position.
void drawMeshBasic(const Mesh& mesh);

// The material path: per corner the colour (tangent, 0), the texture
// coordinate of the triangle's set (textureSetForTriangle), the normal and
// the position.
void drawMeshWithTangents(const Mesh& mesh);

// Set 0 unless all three corners carry seam flag 1 (set 1), 2 (set 2) or 4
// (set 3); a later flag in that list overrides an earlier one.
int textureSetForTriangle(const Mesh& mesh, const MeshTriangle& triangle);
