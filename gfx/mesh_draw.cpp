#include "gfx/mesh_draw.h"

#include <cstddef>
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

void fillTangentArrays(const Mesh& mesh, TangentArrays& arrays) {
  const size_t corners = mesh.triangles.size() * 3;
  arrays.colors.resize(corners * 4);
  arrays.texCoords.resize(corners * 2);
  arrays.normals.resize(corners * 3);
  arrays.positions.resize(corners * 3);
  float* color = arrays.colors.data();
  float* texCoord = arrays.texCoords.data();
  float* normal = arrays.normals.data();
  float* position = arrays.positions.data();
  for (const MeshTriangle& triangle : mesh.triangles) {
    const int set = textureSetForTriangle(mesh, triangle);
    for (int index : {triangle.a, triangle.b, triangle.c}) {
      const MeshVertex& vertex = mesh.vertices[index];
      *color++ = vertex.tangent.x;
      *color++ = vertex.tangent.y;
      *color++ = vertex.tangent.z;
      *color++ = 0.0f;
      *texCoord++ = vertex.uv[set].x;
      *texCoord++ = vertex.uv[set].y;
      *normal++ = vertex.normal.x;
      *normal++ = vertex.normal.y;
      *normal++ = vertex.normal.z;
      *position++ = vertex.position.x;
      *position++ = vertex.position.y;
      *position++ = vertex.position.z;
    }
  }
}

void drawTangentArrays(const TangentArrays& arrays) {
  const GLsizei corners = static_cast<GLsizei>(arrays.positions.size() / 3);
  if (corners == 0) return;
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_VERTEX_ARRAY);
  glColorPointer(4, GL_FLOAT, 0, arrays.colors.data());
  glTexCoordPointer(2, GL_FLOAT, 0, arrays.texCoords.data());
  glNormalPointer(GL_FLOAT, 0, arrays.normals.data());
  glVertexPointer(3, GL_FLOAT, 0, arrays.positions.data());
  glDrawArrays(GL_TRIANGLES, 0, corners);
  glPopClientAttrib();
  // As after the corners sent one by one, the last corner's colour is current.
  const float* last = arrays.colors.data() + (size_t(corners) - 1) * 4;
  glColor4f(last[0], last[1], last[2], last[3]);
}
