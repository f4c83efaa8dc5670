#include "gfx/mesh_draw.h"

#include "gfx/gl.h"

namespace {

void sendBasicCorner(const MeshVertex& vertex) {
  glTexCoord2f(vertex.uv[0].x, vertex.uv[0].y);
  glNormal3f(vertex.normal.x, vertex.normal.y, vertex.normal.z);
  glVertex3f(vertex.position.x, vertex.position.y, vertex.position.z);
}

void sendTangentCorner(const MeshVertex& vertex, int set) {
  glColor4f(vertex.tangent.x, vertex.tangent.y, vertex.tangent.z, 0.0f);
  glTexCoord2f(vertex.uv[set].x, vertex.uv[set].y);
  glNormal3f(vertex.normal.x, vertex.normal.y, vertex.normal.z);
  glVertex3f(vertex.position.x, vertex.position.y, vertex.position.z);
}

}  // namespace

int textureSetForTriangle(const Mesh& mesh, const MeshTriangle& triangle) {
  const int shared = mesh.vertices[triangle.a].flags & mesh.vertices[triangle.b].flags &
                     mesh.vertices[triangle.c].flags;
  if (shared & 4) return 3;
  if (shared & 2) return 2;
  if (shared & 1) return 1;
  return 0;
}

void drawMeshBasic(const Mesh& mesh) {
  glBegin(GL_TRIANGLES);
  glColor4f(1.0f, 0.0f, 0.0f, 0.0f);
  for (const MeshTriangle& triangle : mesh.triangles) {
    sendBasicCorner(mesh.vertices[triangle.a]);
    sendBasicCorner(mesh.vertices[triangle.b]);
    sendBasicCorner(mesh.vertices[triangle.c]);
  }
  glEnd();
}

void drawMeshWithTangents(const Mesh& mesh) {
  glBegin(GL_TRIANGLES);
  for (const MeshTriangle& triangle : mesh.triangles) {
    const int set = textureSetForTriangle(mesh, triangle);
    sendTangentCorner(mesh.vertices[triangle.a], set);
    sendTangentCorner(mesh.vertices[triangle.b], set);
    sendTangentCorner(mesh.vertices[triangle.c], set);
  }
  glEnd();
}
