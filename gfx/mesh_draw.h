// Drawing meshes: the basic path from one vertex array, the material path in
// immediate mode or from client arrays filled once for several passes. The
// vertex programs read the tangent from the primary colour, so the colour
// carries it.
#pragma once

#include <vector>

#include "gfx/mesh.h"

// The basic path: one constant colour (1, 0, 0, 0), then per corner texture
// coordinate set 0, normal and position.
void drawMeshBasic(const Mesh& mesh);

// The material path: per corner the colour (tangent, 0), the texture
// coordinate of the triangle's set (textureSetForTriangle), the normal and
// the position.
void drawMeshWithTangents(const Mesh& mesh);

// The material path's corners gathered into client arrays once, for a mesh
// drawn several times (one pass per light) with the same positions: the same
// corners in the same order as drawMeshWithTangents, drawn with one call.
struct TangentArrays {
  std::vector<float> colors;     // (tangent, 0) per corner
  std::vector<float> texCoords;  // the triangle's set (u, v)
  std::vector<float> normals;
  std::vector<float> positions;
};
void fillTangentArrays(const Mesh& mesh, TangentArrays& arrays);
void drawTangentArrays(const TangentArrays& arrays);

// Set 0 unless all three corners carry seam flag 1 (set 1), 2 (set 2) or 4
// (set 3); a later flag in that list overrides an earlier one.
int textureSetForTriangle(const Mesh& mesh, const MeshTriangle& triangle);
