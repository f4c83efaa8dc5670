// A material applied for one light and drawn with the "phong with specular
// map" programs: the environment values must land where the programs read
// them.
#include <gtest/gtest.h>

#include <vector>

#include "gfx/gpu_programs.h"
#include "gfx/material_pass.h"
#include "gfx/mesh_draw.h"
#include "gfx/texture_pool.h"
#include "gfx/gl_entry_points.h"
#include "support/gl_context.h"

namespace {

// A quad over the whole viewport facing the viewer, tangent along x.
Mesh facingQuad() {
  Mesh mesh;
  for (const Vec3& p : {Vec3{-1, -1, 0}, Vec3{1, -1, 0}, Vec3{1, 1, 0}, Vec3{-1, 1, 0}}) {
    MeshVertex vertex;
    vertex.position = p;
    vertex.normal = {0, 0, 1};
    mesh.vertices.push_back(vertex);
  }
  addTriangle(mesh, 0, 1, 2);
  addTriangle(mesh, 0, 2, 3);
  return mesh;
}

std::vector<int> centrePixel() {
  uint8_t pixel[3];
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(32, 32, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
  return {pixel[0], pixel[1], pixel[2]};
}

void expectNear(const std::vector<int>& actual, const std::vector<int>& expected) {
  for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 2) << "channel " << i;
}

class MaterialDraw : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    static const bool compiled = [] {
      const uint8_t white[4] = {255, 255, 255, 255};
      const uint8_t flat[4] = {128, 128, 255, 0};
      makeTexture({.name = "material-white", .width = 1, .height = 1, .pixels = white});
      makeTexture({.name = "material-flat", .width = 1, .height = 1, .pixels = flat});
      return true;
    }();
    (void)compiled;
    glViewport(0, 0, 64, 64);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  void TearDown() override {
    if (!openTestContext()) return;
    unbindGpuPrograms();
    for (const GLenum unit : {GL_TEXTURE3_ARB, GL_TEXTURE2_ARB, GL_TEXTURE1_ARB, GL_TEXTURE0_ARB}) {
      gl.glActiveTextureARB(unit);
      glDisable(GL_TEXTURE_2D);
    }
  }

  // White colour and specular maps, a flat bump map, no specular, ambient or
  // environment terms: the picture is the diffuse colour times the light
  // times the cosine of the light's angle (45 degrees: about 0.708 at the
  // centre of the picture).
  static Material diffuseOnly(float r, float g, float b) {
    Material m;
    m.diffuse = {r, g, b};
    m.texMul = 1;
    m.specularPow = 1;
    m.textureName = "material-white";
    m.specularTextureName = "material-white";
    m.envTextureName = "material-white";
    m.bumpTextureName = "material-flat";
    return m;
  }

  void drawLit(const Material& material, const Vec3& lightColor) {
    bindGpuPrograms(gpuPrograms.phongSpecularMap);
    applyMaterialPass(material, lightColor, Vec3{10, 0, 10});
    drawMeshWithTangents(facingQuad());
    unbindGpuPrograms();
  }
};

}  // namespace

TEST_F(MaterialDraw, DiffuseColourTimesLightColourReachesThePicture) {
  drawLit(diffuseOnly(1, 0.5f, 0), Vec3{1, 1, 1});
  expectNear(centrePixel(), {180, 90, 0});
  glClear(GL_COLOR_BUFFER_BIT);
  drawLit(diffuseOnly(1, 0.5f, 0.25f), Vec3{0.5f, 1, 0});
  expectNear(centrePixel(), {90, 90, 0});
}

// Ambient light does not depend on the light's angle.
TEST_F(MaterialDraw, AmbientAndTextureAddReachThePicture) {
  Material material = diffuseOnly(0, 0, 0);
  material.ambient = {0.25f, 0.5f, 0};
  material.texAdd = 1;  // colour = white * texMul + texAdd = 2
  drawLit(material, Vec3{1, 1, 1});
  expectNear(centrePixel(), {128, 255, 0});
}
