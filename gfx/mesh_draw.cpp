#include "gfx/mesh_draw.h"

#include <vector>

#include "gfx/gl.h"

namespace {

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

// One interleaved array per vertex (texture coordinate, normal, position)
// and the triangles' corners as indices into it: the same corners in the same
// order as one glBegin batch, each vertex transformed once. The arrays are
// kept between draws and grow only to the largest mesh drawn.
void drawMeshBasic(const Mesh& mesh) {
  static std::vector<float> vertices;
  static std::vector<GLuint> corners;
  vertices.clear();
  corners.clear();
  for (const MeshVertex& vertex : mesh.vertices)
    vertices.insert(vertices.end(), {vertex.uv[0].x, vertex.uv[0].y, vertex.normal.x,
                                     vertex.normal.y, vertex.normal.z, vertex.position.x,
                                     vertex.position.y, vertex.position.z});
  for (const MeshTriangle& triangle : mesh.triangles)
    corners.insert(corners.end(), {GLuint(triangle.a), GLuint(triangle.b), GLuint(triangle.c)});
  glColor4f(1.0f, 0.0f, 0.0f, 0.0f);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glInterleavedArrays(GL_T2F_N3F_V3F, 0, vertices.data());
  glDrawElements(GL_TRIANGLES, GLsizei(corners.size()), GL_UNSIGNED_INT, corners.data());
  glPopClientAttrib();
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
