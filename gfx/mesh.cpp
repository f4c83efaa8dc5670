#include "gfx/mesh.h"

namespace {

Vec3 faceCross(const Mesh& mesh, const MeshTriangle& triangle) {
  return triangleNormal(mesh.vertices[triangle.a].position, mesh.vertices[triangle.b].position,
                        mesh.vertices[triangle.c].position);
}

Vec3 sumOfFaceNormals(const Mesh& mesh, const MeshVertex& vertex) {
  Vec3 sum;
  for (const int triangle : vertex.triangleList) sum += mesh.triangles[triangle].faceNormal;
  return sum;
}

}  // namespace

void addTriangle(Mesh& mesh, int a, int b, int c) {
  const int index = mesh.triangleCount();
  mesh.triangles.push_back(MeshTriangle{3, a, b, c, Vec3{}});
  mesh.vertices[a].triangleList.push_back(index);
  mesh.vertices[b].triangleList.push_back(index);
  mesh.vertices[c].triangleList.push_back(index);
}

void computeLoadNormals(Mesh& mesh, bool flipNormals) {
  for (MeshTriangle& triangle : mesh.triangles) triangle.faceNormal = faceCross(mesh, triangle);
  for (MeshVertex& vertex : mesh.vertices) {
    vertex.normal = normalize(sumOfFaceNormals(mesh, vertex));
    if (flipNormals) vertex.normal *= -1.0f;
  }
  for (MeshTriangle& triangle : mesh.triangles) triangle.faceNormal = normalize(triangle.faceNormal);
}

void recomputeNormalsAlongWinding(Mesh& mesh, bool invertFaces) {
  for (MeshTriangle& triangle : mesh.triangles) {
    triangle.faceNormal = normalize(faceCross(mesh, triangle));
    if (invertFaces) triangle.faceNormal *= -1.0f;
  }
  for (MeshVertex& vertex : mesh.vertices) vertex.normal = normalize(sumOfFaceNormals(mesh, vertex));
}

void recomputeNormals(Mesh& mesh, bool invert) {
  recomputeNormalsAlongWinding(mesh, invert);
  for (MeshVertex& vertex : mesh.vertices) vertex.normal *= -1.0f;
}
