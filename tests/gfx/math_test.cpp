#include <gtest/gtest.h>

#include <cmath>

#include "gfx/math.h"
#include "gfx/random.h"

namespace {

TEST(Math, VectorOperations) {
  EXPECT_EQ(dot({1, 2, 3}, {4, 5, 6}), 32);
  const Vec3 c = cross({1, 0, 0}, {0, 1, 0});
  EXPECT_EQ(c.z, 1);
  const Vec3 n = triangleNormal({0, 0, 0}, {2, 0, 0}, {0, 2, 0});
  EXPECT_EQ(n.z, 4);  // not normalised
  const Vec3 zero = normalize({0, 0, 0});
  EXPECT_EQ(zero.x, 0);
  EXPECT_FALSE(std::isnan(zero.x));
  EXPECT_FLOAT_EQ(vecLength(normalize({3, 4, 12})), 1);
}

TEST(Math, TransformByMatrixDropsW) {
  float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1};
  Vec4 v{1, 2, 3, 1};
  transformByMatrix(v, m);
  EXPECT_EQ(v.x, 6);
  EXPECT_EQ(v.y, 8);
  EXPECT_EQ(v.z, 10);
  EXPECT_EQ(v.w, 0);
}

TEST(Math, MultiplyIsColumnMajor) {
  float translate[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1};
  float scaleBy2[16] = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1};
  float out[16];
  multiply(translate, scaleBy2, out);  // scale first, then translate
  EXPECT_EQ(out[0], 2);
  EXPECT_EQ(out[12], 1);
  multiply(scaleBy2, translate, out);
  EXPECT_EQ(out[12], 2);
}

TEST(Math, Rotations) {
  Vec3 v{1, 0, 0};
  rotateAboutAxis(v, 2, 1.5707964f);
  EXPECT_NEAR(v.x, 0, 1e-6);
  EXPECT_NEAR(v.y, 1, 1e-6);
  Vec3 w{0, 1, 0};
  rotateAboutAxis(w, 0, 1.5707964f);  // y' = cos y + sin z, z' = cos z - sin y
  EXPECT_NEAR(w.z, -1, 1e-6);
  Vec3 gone{1, 2, 3};
  rotateAboutAxis(gone, 3, 1);
  EXPECT_EQ(gone.x, 0);
  EXPECT_EQ(gone.z, 0);
  Vec3 r{1, 0, 0};
  rotateAround(r, {0, 0, 1}, 1.5707964f);
  EXPECT_NEAR(r.y, 1, 1e-6);
}

TEST(Math, ShapingFunctions) {
  EXPECT_EQ(fraction(-0.25f), 0.75f);
  EXPECT_EQ(fraction(2.0f), 0);
  EXPECT_EQ(clamp01(-1), 0);
  EXPECT_EQ(clamp01(2), 1);
  EXPECT_EQ(step(0), 1);
  EXPECT_EQ(step(std::nanf("")), 0);
  EXPECT_EQ(rampUp(5, 5, 0), 1);  // zero length: no division
  EXPECT_EQ(rampUp(4.9f, 5, 0), 0);
  EXPECT_EQ(rampUp(std::nanf(""), 0, 1), 0);
  EXPECT_EQ(rampDown(std::nanf(""), 0, 1), 1);
  EXPECT_EQ(rampDown(1.5f, 1, 2), 0.75f);
  EXPECT_EQ(pulse(2, 0, 1, 3, 1), 1);
  EXPECT_FLOAT_EQ(softFalloff(0.5f, 1), 0.5f);
  EXPECT_EQ(softFalloff(1, 1), 0);
  EXPECT_EQ(softFalloff(0, 1), 1);
  EXPECT_EQ(powerInt(-2, 3, true), -8);
  EXPECT_EQ(powerInt(-2, 3, false), 8);
  EXPECT_FLOAT_EQ(powerSigned(-8, 1.0f / 3, true), -2);
  EXPECT_FLOAT_EQ(powerSigned(-8, 1.0f / 3, false), 2);
}

TEST(Math, TruncationIsDefinedEverywhere) {
  EXPECT_EQ(truncToInt(-2.7), -2);
  EXPECT_EQ(truncToInt(2147483647.0), 2147483647);
  EXPECT_EQ(truncToInt(1e20), INT32_MIN);
  EXPECT_EQ(truncToInt(std::nan("")), INT32_MIN);
}

TEST(Random, EngineGeneratorSequence) {
  seedRandom(1);
  EXPECT_EQ(nextRandom(), 41);
  EXPECT_EQ(nextRandom(), 18467);
  EXPECT_EQ(nextRandom(), 6334);
  seedRandom(123);
  const int first = nextRandom();
  seedRandom(123);
  EXPECT_EQ(nextRandom(), first);
  for (int i = 0; i < 1000; ++i) {
    const int r = nextRandom();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, kRandomMax);
  }
}

}  // namespace
