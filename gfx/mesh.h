// Meshes: vertices and the triangles that point at them, with per-vertex
// adjacency so that normals can be recomputed after vertices move.
//
// Meshes come from LWO2 files (mesh_lwo2.h) or from the effects' generators,
// which add vertices and then triangles with addTriangle. The adjacency never
// changes after creation.
#pragma once

#include <vector>

#include "gfx/math.h"

struct MeshVertex {
  Vec3 position;
  // A copy of the position kept by generators for deforming effects.
  Vec3 restPosition;
  Vec3 normal;
  Vec3 tangent{1.0f, 0.0f, 0.0f};
  Vec3 color{1.0f, 1.0f, 1.0f};
  // Four texture coordinate sets (u, v, 0).
  Vec3 uv[4];
  // Seam flags: 1, 2 and 4 select texture coordinate sets 1, 2 and 3 for a
  // triangle whose three vertices all carry the flag.
  int flags = 0;
  // Indices of the triangles using this vertex, in registration order.
  std::vector<int> triangleList;
};

struct MeshTriangle {
  int cornerCount = 3;
  int a = 0;
  int b = 0;
  int c = 0;
  Vec3 faceNormal;
};

struct Mesh {
  std::vector<MeshVertex> vertices;
  std::vector<MeshTriangle> triangles;

  int vertexCount() const { return static_cast<int>(vertices.size()); }
  int triangleCount() const { return static_cast<int>(triangles.size()); }
};

// Appends the triangle (a, b, c) and registers it with its three vertices in
// corner order. The indices must address existing vertices.
void addTriangle(Mesh& mesh, int a, int b, int c);

// The normals a freshly loaded mesh gets: each vertex the normalised sum of
// the unnormalised face normals around it (negated with flipNormals; a zero
// sum stays zero), then every face normal normalised.
void computeLoadNormals(Mesh& mesh, bool flipNormals);

// The per-frame recomputation: face normals normalised (negated with
// invert), each vertex the normalised sum of its faces, negated. With invert
// clear the vertex normals point against the winding, with invert set along it.
void recomputeNormals(Mesh& mesh, bool invert);

// The recomputation of the kinds that light along the winding: face normals
// normalised (negated with invertFaces), each vertex the normalised sum of its
// faces, not negated.
void recomputeNormalsAlongWinding(Mesh& mesh, bool invertFaces);
