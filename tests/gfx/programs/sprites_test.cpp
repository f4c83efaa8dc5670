// The camera-facing sprite batch: placement by the saved rotation only,
// texture orientation, rotation in the view plane, the alpha test and the
// state left behind.
#include <gtest/gtest.h>

#include "gfx/sprites.h"
#include "gl_test_support.h"

namespace {

const Float4 kBottomLeft = {1, 0, 0, 1};   // texel (0, 0)
const Float4 kBottomRight = {0, 1, 0, 1};  // texel (1, 0)
const Float4 kTopLeft = {0, 0, 1, 1};      // texel (0, 1)
const Float4 kTopRight = {1, 1, 1, 1};     // texel (1, 1)

class Sprites : public testing::Test {
 protected:
  void SetUp() override {
    resetTestState();
    bindImage(0, texture_);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-1, 1, -1, 1, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    // The camera translation must not move sprites; its rotation turns
    // their positions.
    glTranslatef(0.5f, 0.0f, -1.0f);
    glRotatef(90, 0, 0, 1);
  }

  void drawOne(float angleDegrees, float alpha) {
    beginSprites();
    drawSprite({0.5f, 0.0f, 0.0f}, 0.25f, 0.125f, kTint, angleDegrees, alpha);
    endSprites();
  }

  static Float4 pixel(const std::vector<Float4>& pixels, int x, int y) {
    return pixels[y * kTargetSize + x];
  }

  const Vec3 kTint = {1.0f, 0.5f, 0.25f};
  TestImage texture_ =
      makeImage(2, 2, {kBottomLeft, kBottomRight, kTopLeft, kTopRight}, GL_NEAREST, GL_REPEAT);
};

void expectColor(Float4 got, Float4 want, const char* where) {
  EXPECT_NEAR(got.r, want.r, kPixelTolerance) << where;
  EXPECT_NEAR(got.g, want.g, kPixelTolerance) << where;
  EXPECT_NEAR(got.b, want.b, kPixelTolerance) << where;
  EXPECT_NEAR(got.a, want.a, kPixelTolerance) << where;
}

}  // namespace

TEST_F(Sprites, PlacedByTheSavedRotationWithTheTextureUpsideDown) {
  drawOne(0, 1);
  const std::vector<Float4> pixels = readTarget();
  // Position (0.5, 0, 0) turned by 90 degrees lands at (0, 0.5): pixels
  // 6..9 across and 11..12 up; the quad itself is not turned.
  const Float4 tint = {1.0f, 0.5f, 0.25f, 1.0f};
  expectColor(pixel(pixels, 7, 11), kTopLeft * tint, "lower left shows the top-left texel");
  expectColor(pixel(pixels, 7, 12), kBottomLeft * tint, "upper left shows the bottom-left texel");
  expectColor(pixel(pixels, 9, 12), kBottomRight * tint, "upper right");
  expectColor(pixel(pixels, 9, 11), kTopRight * tint, "lower right");
  for (const auto& [x, y] : {std::pair{5, 11}, {10, 11}, {7, 10}, {7, 13}})
    expectColor(pixel(pixels, x, y), {}, "outside the sprite");
}

TEST_F(Sprites, AngleTurnsTheQuadInTheViewPlane) {
  drawOne(90, 1);
  const std::vector<Float4> pixels = readTarget();
  // Turned by 90 degrees the quad spans 2 pixels across and 4 up.
  EXPECT_GT(pixel(pixels, 7, 10).a, 0.5f);
  EXPECT_GT(pixel(pixels, 8, 13).a, 0.5f);
  expectColor(pixel(pixels, 6, 12), {}, "outside the turned sprite");
  expectColor(pixel(pixels, 9, 12), {}, "outside the turned sprite");
}

TEST_F(Sprites, AlphaTestDropsNearlyTransparentSprites) {
  drawOne(0, 0.005f);
  expectColor(pixel(readTarget(), 7, 11), {}, "alpha 0.005 is not drawn");
  drawOne(0, 0.5f);
  const Float4 drawn = pixel(readTarget(), 7, 11);
  EXPECT_NEAR(drawn.a, 0.5f, kPixelTolerance);
}

TEST_F(Sprites, EndRestoresTheMatrixAndLeavesTheSpecifiedState) {
  GLfloat before[16], after[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, before);
  glDepthMask(GL_FALSE);
  beginSprites();
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  GLfloat facing[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, facing);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(facing[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;
  EXPECT_EQ(facing[12], 0.0f) << "the translation is cleared";
  endSprites();
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(before[i], after[i]) << i;
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLboolean depthMask = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
  EXPECT_TRUE(depthMask);
  GLint mode = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  EXPECT_EQ(mode, GL_MODULATE);
}
