// The box tube: a square tube along the x axis, built as rings of an outline
// that runs around the unit square in the y-z plane. The spring tubes, the
// spectrum-driven tubes and their back tubes are all made from it.
//
// Needs only the mesh type; no GL.
#pragma once

#include <functional>

#include "gfx/mesh.h"

struct BoxTubeShape {
  int segments = 1;      // rings - 1, along x
  float uScale = 1.0f;   // texture u at the far end of the tube
  float vScale = 1.0f;   // texture v once around the outline
  int outlineA = 1;      // outline points on each side parallel to y
  int outlineB = 1;      // outline points on each side parallel to z
  Vec3 size{1.0f, 1.0f, 1.0f};
};

// (segments + 1) rings of 2 * (outlineA + outlineB) points, x from -size.x/2
// to size.x/2; positions and rest positions equal, tangents (1, 0, 0). The
// quads run along the vertex index, so the strip winds around the tube and
// also joins the last outline point of one ring to the first of the next:
// 2 * segments * (points - 1) triangles. A shape without segments or outline
// points gives an empty mesh.
Mesh buildBoxTube(const BoxTubeShape& shape);

// Scales every vertex's y and z by factor(x) and stores the result as both
// position and rest position (tapering or flaring the tube along its length).
void scaleTubeSection(Mesh& tube, const std::function<float(float x)>& factor);
