// The two mesh drawing paths, drawn with identity matrices and read back.
#include <gtest/gtest.h>

#include <vector>

#include "gfx/mesh_draw.h"
#include "gfx/gl_entry_points.h"
#include "support/gl_context.h"

namespace {

// Two triangles covering the left half of the viewport.
Mesh leftHalf() {
  Mesh mesh;
  for (const Vec3& p : {Vec3{-1, -1, 0}, Vec3{0, -1, 0}, Vec3{0, 1, 0}, Vec3{-1, 1, 0}}) {
    MeshVertex vertex;
    vertex.position = p;
    mesh.vertices.push_back(vertex);
  }
  addTriangle(mesh, 0, 1, 2);
  addTriangle(mesh, 0, 2, 3);
  return mesh;
}

// Colour only: the window may have no alpha channel.
std::vector<uint8_t> pixelAt(int x, int y) {
  std::vector<uint8_t> pixel(3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel.data());
  return pixel;
}

class MeshDraw : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    glViewport(0, 0, 64, 64);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
};

}  // namespace

TEST_F(MeshDraw, BasicPathCarriesTheConstantTangentAsColour) {
  drawMeshBasic(leftHalf());
  EXPECT_EQ(pixelAt(16, 32), (std::vector<uint8_t>{255, 0, 0}));
  EXPECT_EQ(pixelAt(48, 32), (std::vector<uint8_t>{0, 0, 255}));
}

TEST_F(MeshDraw, MaterialPathCarriesEachVertexTangentAsColour) {
  Mesh mesh = leftHalf();
  for (MeshVertex& vertex : mesh.vertices) vertex.tangent = {0, 1, 0};
  drawMeshWithTangents(mesh);
  EXPECT_EQ(pixelAt(16, 32), (std::vector<uint8_t>{0, 255, 0}));
}
