// Shadow maps: a square occluder seen from a light shadows a receiver drawn
// from a shifted camera; the state each step leaves behind.
#include <gtest/gtest.h>

#include <cmath>

#include "gfx/gl_entry_points.h"
#include "gfx/shadow_map.h"
#include "gfx/texture_pool.h"
#include "gl_test_support.h"

namespace {

const float kOccluderHalfSize = 0.5f;
const float kOccluderZ = -1.0f;
const float kReceiverZ = -3.0f;
const float kLightTiltDegrees = 25.0f;  // the light looks down at an angle
const float kCameraShift = 0.25f;       // camera translation in x, in view units

class ShadowMaps : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    setRenderSize(kTargetSize, kTargetSize);
    if (!findTexture("shadowmap0")) createStandardTextures();
  }

  void SetUp() override {
    resetTestState();
    glClearColor(0, 0, 0, 0.3f);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  // A parallel light tilted about x, so its shadows fall obliquely.
  static void setLightView() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.6, 1.6, -1.6, 1.6, 0.1, 8);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, -1, 0);
    glRotatef(kLightTiltDegrees, 1, 0, 0);
  }

  static void drawSquare(float halfSize, float z) {
    glBegin(GL_QUADS);
    glVertex3f(-halfSize, -halfSize, z);
    glVertex3f(halfSize, -halfSize, z);
    glVertex3f(halfSize, halfSize, z);
    glVertex3f(-halfSize, halfSize, z);
    glEnd();
  }

  static void renderOccluder(int index) {
    setLightView();
    beginShadowPass(index);
    glColor4f(0.2f, 0.4f, 0.6f, 0.8f);
    drawSquare(kOccluderHalfSize, kOccluderZ);
    endShadowPass(index);
  }
};

Float4 pixelAt(const std::vector<Float4>& pixels, int x, int y) { return pixels[y * kTargetSize + x]; }

}  // namespace

TEST_F(ShadowMaps, PassDrawsColourWithoutAlphaAndRestoresTheView) {
  glViewport(0, 0, 8, 8);
  renderOccluder(0);
  const std::vector<Float4> pixels = readTarget();
  // The tilted light sees the occluder below the middle of its view.
  const Float4 centre = pixelAt(pixels, 8, 5);
  EXPECT_NEAR(centre.r, 0.2f, kPixelTolerance);
  EXPECT_NEAR(centre.g, 0.4f, kPixelTolerance);
  EXPECT_NEAR(centre.b, 0.6f, kPixelTolerance);
  EXPECT_NEAR(centre.a, 0.3f, kPixelTolerance) << "alpha writes are off during the pass";

  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], renderWidth());
  EXPECT_EQ(viewport[3], renderHeight());
  GLint matrixMode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  EXPECT_EQ(matrixMode, GL_MODELVIEW);
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  EXPECT_FALSE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
  GLboolean colorMask[4];
  glGetBooleanv(GL_COLOR_WRITEMASK, colorMask);
  EXPECT_TRUE(colorMask[3]);
  GLfloat projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(projection[i], shadowLightProjection(0)[i]) << i;
}

TEST_F(ShadowMaps, ReceiverIsDarkWhereTheOccluderHidesTheLight) {
  renderOccluder(0);
  resetTestState();

  // The camera looks straight down -z, moved sideways: the shadow moves on
  // screen by the camera shift while staying put on the receiver.
  glMatrixMode(GL_PROJECTION);
  glOrtho(-1, 1, -1, 1, 0.5, 5);
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(kCameraShift, 0, 0);
  bindShadowMaps(0, 0);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glColor4f(1, 1, 1, 1);
  drawSquare(2.0f, kReceiverZ);
  unbindShadowMaps();
  glDisable(GL_TEXTURE_2D);

  const std::vector<Float4> pixels = readTarget();
  // Walking from a receiver point towards the light, (0, sin, cos) of the
  // tilt in world space, reaches the occluder's plane this far up in y.
  const float tilt = kLightTiltDegrees * static_cast<float>(M_PI) / 180.0f;
  const float shadowShiftY = (kOccluderZ - kReceiverZ) * std::tan(tilt);
  // Depth comparisons are filtered over shadow-map texels (3.2 / 16 wide).
  const float margin = 3.2f / kTargetSize + 1.0f / kTargetSize;
  int shadowed = 0, lit = 0;
  for (int y = 0; y < kTargetSize; ++y) {
    for (int x = 0; x < kTargetSize; ++x) {
      const float receiverX = pixelToNdc(x) - kCameraShift;
      const float receiverY = pixelToNdc(y);
      const float inside = kOccluderHalfSize - std::max(std::fabs(receiverX),
                                                        std::fabs(receiverY + shadowShiftY));
      if (std::fabs(inside) < margin) continue;  // filtered edge
      const float want = inside > 0 ? 0.0f : 1.0f;
      (inside > 0 ? shadowed : lit)++;
      EXPECT_NEAR(pixelAt(pixels, x, y).r, want, kPixelTolerance) << x << ", " << y;
    }
  }
  EXPECT_GE(shadowed, 6);
  EXPECT_GT(lit, 100);
}

TEST_F(ShadowMaps, SecondUnitGetsTheSamePlanesButNoComparison) {
  renderOccluder(1);
  GLuint other = 0;
  glGenTextures(1, &other);
  gl.glActiveTextureARB(GL_TEXTURE1_ARB);
  glBindTexture(GL_TEXTURE_2D, other);
  gl.glActiveTextureARB(GL_TEXTURE0_ARB);

  bindShadowMaps(1, 1);
  GLint activeUnit = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &activeUnit);
  EXPECT_EQ(activeUnit, GL_TEXTURE0_ARB);
  GLint compareMode = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE_ARB, &compareMode);
  EXPECT_EQ(compareMode, GL_COMPARE_R_TO_TEXTURE_ARB);
  GLfloat planes[2][4][4];
  const GLenum coordinates[4] = {GL_S, GL_T, GL_R, GL_Q};
  for (int unit = 1; unit >= 0; --unit) {
    gl.glActiveTextureARB(GL_TEXTURE0_ARB + unit);
    for (int k = 0; k < 4; ++k) glGetTexGenfv(coordinates[k], GL_EYE_PLANE, planes[unit][k]);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_S) && glIsEnabled(GL_TEXTURE_GEN_T) &&
                glIsEnabled(GL_TEXTURE_GEN_R) && glIsEnabled(GL_TEXTURE_GEN_Q))
        << "unit " << unit;
  }
  for (int k = 0; k < 4; ++k)
    for (int i = 0; i < 4; ++i) EXPECT_EQ(planes[0][k][i], planes[1][k][i]);

  gl.glActiveTextureARB(GL_TEXTURE1_ARB);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE_ARB, &compareMode);
  EXPECT_EQ(compareMode, GL_NONE);
  GLint wrap = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  EXPECT_EQ(wrap, GL_CLAMP);
  gl.glActiveTextureARB(GL_TEXTURE0_ARB);

  glEnable(GL_ALPHA_TEST);
  unbindShadowMaps();
  for (int unit = 1; unit >= 0; --unit) {
    gl.glActiveTextureARB(GL_TEXTURE0_ARB + unit);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S) || glIsEnabled(GL_TEXTURE_GEN_T) ||
                 glIsEnabled(GL_TEXTURE_GEN_R) || glIsEnabled(GL_TEXTURE_GEN_Q))
        << "unit " << unit;
  }
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  glDeleteTextures(1, &other);
}

TEST_F(ShadowMaps, IndexOutsideTheFourMapsTouchesNoMap) {
  renderOccluder(0);
  GLfloat saved[16];
  for (int i = 0; i < 16; ++i) saved[i] = shadowLightModelview(0)[i];
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 0, -7);
  beginShadowPass(4);
  endShadowPass(4);
  beginShadowPass(-1);
  endShadowPass(-1);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(shadowLightModelview(0)[i], saved[i]) << i;
}
