// The four layer blend pairs, drawn over known images and compared with
// their formulas, and where each pair puts the geometry in depth.
#include <gtest/gtest.h>

#include <functional>

#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gl_test_support.h"

namespace {

using BlendFormula = std::function<Float4(Float4 A, Float4 B, Float4 K)>;

// A has alpha 1 in every blend; its own alpha must not leak through.
Float4 opaque(Float4 x) { return {x.r, x.g, x.b, 1.0f}; }

Float4 multiplyBlend(Float4 A, Float4 B, Float4 K) {
  const float a = K.a;
  return opaque(A) * (B * K * a + (1 - a));
}

Float4 screenBlend(Float4 A, Float4 B, Float4 K) {
  const float a = K.a;
  const Float4 inverseA = opaque(splat(1) - A);
  return splat(1) - inverseA * ((splat(1) - B) * K * a + (1 - a));
}

Float4 addBlend(Float4 A, Float4 B, Float4 K) { return opaque(A) + B * K * K.a; }

Float4 subBlend(Float4 A, Float4 B, Float4 K) { return opaque(A) - B * K * K.a; }

class BlendPrograms : public testing::Test {
 protected:
  void SetUp() override { resetTestState(); }

  void drawBlend(const GpuProgramPair& pair, Float4 K) {
    bindImage(0, a_);
    bindImage(1, b_);
    bindGpuPrograms(pair);
    glColor4f(K.r, K.g, K.b, K.a);
    drawViewportQuad();
    unbindGpuPrograms();
  }

  void expectBlend(const GpuProgramPair& pair, const BlendFormula& formula, const char* what) {
    for (const Float4 K : {Float4{0.9f, 0.4f, 0.7f, 0.6f}, Float4{0.3f, 1.0f, 0.5f, 0.25f}}) {
      resetTestState();
      drawBlend(pair, K);
      expectPixels(
          readTarget(),
          [&](int x, int y) { return formula(a_.texel(x, y), b_.texel(x, y), K); },
          kPixelTolerance, what);
    }
  }

  // One texel per pixel, alphas well away from 1.
  TestImage a_ = makeNoiseImage(kTargetSize, kTargetSize, 11, 0.05f, 0.95f, GL_NEAREST);
  TestImage b_ = makeNoiseImage(kTargetSize, kTargetSize, 23, 0.05f, 0.95f, GL_NEAREST);
};

float depthAt(int x, int y) {
  float depth = 0;
  glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  return depth;
}

// A quad of corners +-0.5 at eye depth -2 under a frustum that gives w = 2:
// transformed normally it covers the middle half of the viewport.
void drawQuadInFrustum(const GpuProgramPair& pair) {
  resetTestState();
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  glMatrixMode(GL_PROJECTION);
  glFrustum(-0.5, 0.5, -0.5, 0.5, 1, 10);
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(0, 0, -2);
  bindGpuPrograms(pair);
  glColor4f(1, 1, 1, 1);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-0.5f, -0.5f);
  glTexCoord2f(1, 0);
  glVertex2f(0.5f, -0.5f);
  glTexCoord2f(1, 1);
  glVertex2f(0.5f, 0.5f);
  glTexCoord2f(0, 1);
  glVertex2f(-0.5f, 0.5f);
  glEnd();
  unbindGpuPrograms();
  glDisable(GL_DEPTH_TEST);
}

}  // namespace

TEST_F(BlendPrograms, Multiply) { expectBlend(gpuPrograms.blendMultiply, multiplyBlend, "multiply"); }

TEST_F(BlendPrograms, Screen) { expectBlend(gpuPrograms.blendScreen, screenBlend, "screen"); }

TEST_F(BlendPrograms, Add) { expectBlend(gpuPrograms.blendAdd, addBlend, "add"); }

TEST_F(BlendPrograms, Sub) { expectBlend(gpuPrograms.blendSub, subBlend, "sub"); }

TEST_F(BlendPrograms, MultiplyKeepsTransformedDepthAndW) {
  drawQuadInFrustum(gpuPrograms.blendMultiply);
  const int middle = kTargetSize / 2;
  // z_clip = 2/9 and w = 2 give window depth (1/9 + 1) / 2.
  EXPECT_NEAR(depthAt(middle, middle), (1.0f / 9.0f + 1.0f) / 2.0f, 1e-4);
  EXPECT_EQ(depthAt(1, 1), 1.0f) << "the corner lies outside the divided quad";
}

TEST_F(BlendPrograms, ScreenAddAndSubDrawAtDepthZeroWithWOne) {
  for (const GpuProgramPair& pair :
       {gpuPrograms.blendScreen, gpuPrograms.blendAdd, gpuPrograms.blendSub}) {
    drawQuadInFrustum(pair);
    const int middle = kTargetSize / 2;
    EXPECT_NEAR(depthAt(middle, middle), 0.5f, 1e-4);
    EXPECT_NEAR(depthAt(1, 1), 0.5f, 1e-4) << "without the divide the quad fills the viewport";
  }
}
