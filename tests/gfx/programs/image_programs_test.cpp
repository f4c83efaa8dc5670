// The image-pass pairs (bump height, motion vector, motion blur, limit and
// exponential sum) drawn over known images and compared with their formulas.
#include <gtest/gtest.h>

#include <cmath>

#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gl_test_support.h"

namespace {

const Float4 kLuminance = {0.3f, 0.59f, 0.11f, 0.0f};

class ImagePrograms : public testing::Test {
 protected:
  void SetUp() override { resetTestState(); }
};

void setFragmentEnv(GLuint index, Float4 v) {
  setProgramEnv(GL_FRAGMENT_PROGRAM_ARB, index, v.r, v.g, v.b, v.a);
}

void drawWith(const GpuProgramPair& pair) {
  bindGpuPrograms(pair);
  drawViewportQuad();
  unbindGpuPrograms();
}

float texcoordOf(int pixel) { return (pixel + 0.5f) / kTargetSize; }

// Velocity images: red and green encode a velocity, blue encodes zero.
TestImage makeVelocityImage(unsigned seed) {
  TestImage noise = makeNoiseImage(kTargetSize, kTargetSize, seed, 0.15f, 0.85f, GL_NEAREST);
  for (Float4& t : noise.texels) t.b = 0.5f;
  return makeImage(kTargetSize, kTargetSize, noise.texels, GL_NEAREST, GL_CLAMP_TO_EDGE);
}

}  // namespace

TEST_F(ImagePrograms, BumpHeightTakesLuminanceSlopesAtTheGivenSteps) {
  const TestImage source =
      makeNoiseImage(kTargetSize, kTargetSize, 5, 0.0f, 1.0f, GL_NEAREST, GL_REPEAT);
  bindImage(0, source);
  // Different steps in x and y, so swapped axes show.
  setFragmentEnv(0, {1.0f / kTargetSize, 2.0f / kTargetSize, 0, 0});
  setFragmentEnv(1, kLuminance);
  drawWith(gpuPrograms.bumpHeight);
  auto lum = [&](int x, int y) { return dot3(source.texel(x, y), kLuminance); };
  expectPixels(
      readTarget(),
      [&](int x, int y) {
        return Float4{(lum(x - 1, y) - lum(x + 1, y)) * 0.5f + 0.5f,
                      (lum(x, y - 2) - lum(x, y + 2)) * 0.5f + 0.5f, lum(x, y), 0.0f};
      },
      kPixelTolerance, "bump height");
}

TEST_F(ImagePrograms, MotionVectorWritesTheNormalAsColour) {
  // Normals differ between the left and right edge; colour and texture
  // coordinates carry other values that must not show.
  const Float4 left = {-0.3f, 1.4f, 0.25f, 1.0f};
  const Float4 right = {0.6f, 0.2f, 0.9f, 1.0f};
  bindGpuPrograms(gpuPrograms.motionVector);
  glColor4f(1, 0, 0, 0);
  glBegin(GL_QUADS);
  glTexCoord2f(0.7f, 0.7f);
  glNormal3f(left.r, left.g, left.b);
  glVertex2f(-1, -1);
  glNormal3f(right.r, right.g, right.b);
  glVertex2f(1, -1);
  glVertex2f(1, 1);
  glNormal3f(left.r, left.g, left.b);
  glVertex2f(-1, 1);
  glEnd();
  unbindGpuPrograms();
  expectPixels(
      readTarget(),
      [&](int x, int) {
        const float s = texcoordOf(x);
        return left * (1 - s) + right * s;
      },
      kPixelTolerance, "motion vector");
}

TEST_F(ImagePrograms, MotionBlurSmearsAlongTheLongerVelocity) {
  const TestImage image = makeNoiseImage(kTargetSize, kTargetSize, 7, 0.0f, 1.0f);
  const TestImage velocityA = makeVelocityImage(31);
  const TestImage velocityB = makeVelocityImage(47);
  bindImage(0, image);
  bindImage(1, velocityA);
  bindImage(2, velocityB);
  setFragmentEnv(0, {0.05f, 0.02f, 0, 0});
  drawWith(gpuPrograms.motionBlur);

  int choseA = 0;
  int choseB = 0;
  auto expected = [&](int x, int y) {
    const Float4 va = (velocityA.texel(x, y) - splat(0.5f)) * 2.0f;
    const Float4 vb = (velocityB.texel(x, y) - splat(0.5f)) * 2.0f;
    const bool useA = va.r * va.r + va.g * va.g >= vb.r * vb.r + vb.g * vb.g;
    (useA ? choseA : choseB)++;
    const Float4 v = useA ? va : vb;
    Float4 sum;
    for (int i = 0; i < 16; ++i) {
      const float offset = 0.05f + i * 0.02f;
      sum = sum + image.sample(texcoordOf(x) + v.r * offset, texcoordOf(y) + v.g * offset) *
                      0.0625f;
    }
    return sum;
  };
  expectPixels(readTarget(), expected, kPixelTolerance, "motion blur");
  EXPECT_GT(choseA, 20);
  EXPECT_GT(choseB, 20);
}

TEST_F(ImagePrograms, LimitKeepsWhatLiesAboveTheThreshold) {
  const TestImage image = makeNoiseImage(kTargetSize, kTargetSize, 13, 0.0f, 1.0f, GL_NEAREST);
  // (threshold, gain, exponent): a negative threshold pushes t - threshold
  // above 1, where the inner clamp matters even with a gain below 1.
  const Float4 cases[] = {{0.3f, 2.5f, 1.7f, 0.0f}, {-0.4f, 0.8f, 0.6f, 0.0f}};
  for (const Float4 shape : cases) {
    resetTestState();
    bindImage(0, image);
    setFragmentEnv(0, shape);
    setFragmentEnv(1, kLuminance);
    drawWith(gpuPrograms.limit);
    expectPixels(
        readTarget(),
        [&](int x, int y) {
          const Float4 t = image.texel(x, y);
          const float shaping = std::pow(dot3(t, kLuminance), shape.b);
          return saturate(saturate(t - splat(shape.r)) * shape.g) * shaping;
        },
        kPixelTolerance, "limit");
  }
}

TEST_F(ImagePrograms, ExponentialSumShapesEachImageByItsOwnLuminance) {
  const TestImage first = makeNoiseImage(kTargetSize, kTargetSize, 17, 0.0f, 1.0f, GL_NEAREST);
  const TestImage second = makeNoiseImage(kTargetSize, kTargetSize, 19, 0.0f, 1.0f, GL_NEAREST);
  bindImage(0, first);
  bindImage(1, second);
  const float exponents[2] = {1.6f, 0.6f};
  const float gains[2] = {1.4f, 2.2f};
  setFragmentEnv(0, {exponents[0], exponents[1], 0, 0});
  setFragmentEnv(1, kLuminance);
  setFragmentEnv(2, {gains[0], gains[1], 0, 0});
  drawWith(gpuPrograms.exponentialSum);
  auto shaped = [&](Float4 t, int i) {
    return saturate(saturate(t * gains[i]) * std::pow(dot3(t, kLuminance), exponents[i]));
  };
  expectPixels(
      readTarget(),
      [&](int x, int y) {
        return saturate(shaped(first.texel(x, y), 0) + shaped(second.texel(x, y), 1));
      },
      kPixelTolerance, "exponential sum");
}
