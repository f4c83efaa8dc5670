#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "gfx/portable_math.h"

namespace {

// The distance in representable doubles (floats) between two finite values
// of the same sign.
int64_t ulpsApart(double a, double b) {
  int64_t x = 0, y = 0;
  std::memcpy(&x, &a, sizeof x);
  std::memcpy(&y, &b, sizeof y);
  return x > y ? x - y : y - x;
}

int32_t ulpsApart(float a, float b) {
  int32_t x = 0, y = 0;
  std::memcpy(&x, &a, sizeof x);
  std::memcpy(&y, &b, sizeof y);
  return x > y ? x - y : y - x;
}

// Angles across the range the effects feed in and beyond (up to 800 000),
// landing on all quarter turns and near the multiples of pi / 2 where the
// reduction cancels most.
TEST(PortableMath, SineAndCosineWithinOneUnitOfTheLibrary) {
  int64_t worst = 0;
  for (int i = -200000; i <= 200000; ++i) {
    const double x = i * 0.00731 + 1e-3 * std::sin(double(i));
    for (const double angle : {x, x * 547.0}) {
      const double sine = portableSin(angle), cosine = portableCos(angle);
      const double librarySine = std::sin(angle), libraryCosine = std::cos(angle);
      if (std::signbit(sine) == std::signbit(librarySine)) worst = std::max(worst, ulpsApart(sine, librarySine));
      else EXPECT_LT(std::fabs(sine - librarySine), 1e-300) << angle;
      if (std::signbit(cosine) == std::signbit(libraryCosine))
        worst = std::max(worst, ulpsApart(cosine, libraryCosine));
      else EXPECT_LT(std::fabs(cosine - libraryCosine), 1e-300) << angle;
    }
  }
  EXPECT_LE(worst, 2);
  for (int k = -1000; k <= 1000; ++k) {
    const double nearQuarterTurn = k * 1.5707963267948966;
    EXPECT_NEAR(portableSin(nearQuarterTurn), std::sin(nearQuarterTurn), 1e-15 * (1 + std::fabs(nearQuarterTurn) * 1e-3));
  }
}

TEST(PortableMath, FloatFormsRoundTheDoubleOnce) {
  int32_t worst = 0;
  for (int i = -100000; i <= 100000; ++i) {
    const float x = float(i) * 0.0123f;
    EXPECT_EQ(portableSin(x), float(portableSin(double(x))));
    worst = std::max(worst, ulpsApart(std::fabs(portableSin(x)), std::fabs(float(std::sin(double(x))))));
    worst = std::max(worst, ulpsApart(std::fabs(portableCos(x)), std::fabs(float(std::cos(double(x))))));
  }
  EXPECT_LE(worst, 1);
}

TEST(PortableMath, SineAndCosineEdges) {
  EXPECT_EQ(portableSin(0.0), 0.0);
  EXPECT_TRUE(std::signbit(portableSin(-0.0)));
  EXPECT_EQ(portableCos(0.0), 1.0);
  EXPECT_EQ(portableSin(1e-300), 1e-300);
  EXPECT_TRUE(std::isnan(portableSin(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(portableCos(-std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(portableSin(std::numeric_limits<double>::quiet_NaN())));
  // Far out the reduction is no longer exact, but it stays a sine.
  for (const double far : {1e7, -3e12, 1e300}) {
    EXPECT_LE(std::fabs(portableSin(far)), 1.0);
    EXPECT_LE(std::fabs(portableCos(far)), 1.0);
    EXPECT_NEAR(portableSin(far) * portableSin(far) + portableCos(far) * portableCos(far), 1.0, 1e-15);
  }
}

TEST(PortableMath, ArctangentWithinOneUnitOfTheLibrary) {
  int64_t worst = 0;
  for (int i = -200000; i <= 200000; ++i) {
    const double t = std::sinh(i * 1e-4) * (1 + 1e-3 * std::sin(double(i)));
    if (t != 0) worst = std::max(worst, ulpsApart(portableAtan(t), std::atan(t)));
  }
  EXPECT_LE(worst, 2);
  constexpr double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(portableAtan(inf), std::atan(inf));
  EXPECT_EQ(portableAtan(-inf), std::atan(-inf));
  EXPECT_EQ(portableAtan(1.0), std::atan(1.0));
  EXPECT_TRUE(std::signbit(portableAtan(-0.0)));
  EXPECT_TRUE(std::isnan(portableAtan(std::numeric_limits<double>::quiet_NaN())));
  EXPECT_EQ(portableAtan(0.5f), float(portableAtan(0.5)));
}

// The effects keep powers as floats: to that precision the result is the
// library's, across bases from tiny to large and integer and fractional
// exponents of both signs.
TEST(PortablePow, WithinOneFloatUnitOfTheLibrary) {
  int32_t worst = 0;
  for (int i = 1; i <= 3000; ++i) {
    const double base = i * i * 1e-5;
    for (const double exponent : {0.5, 2.0, 3.0, 4.0, 8.0, 9.0, 12.0, -1.0, -2.5, 0.333, 7.77, -11.0}) {
      const float ours = float(portablePow(base, exponent)), library = float(std::pow(base, exponent));
      if (std::isinf(library)) EXPECT_TRUE(std::isinf(ours) || ours > 3e38f) << base << "^" << exponent;
      else worst = std::max(worst, ulpsApart(ours, library));
      EXPECT_NEAR(portablePow(base, exponent) / std::pow(base, exponent), 1.0, 1e-13);
    }
  }
  EXPECT_LE(worst, 1);
}

// A power that is a whole number stays one: the music tube truncates
// (x + 0.5)^n * 1024 to pick a spectrum bin.
TEST(PortablePow, SmallIntegerExponentsAreExactWhereTheResultIs) {
  for (int exponent = -16; exponent <= 16; ++exponent) {
    for (int k = -63; k <= 64; ++k) {
      const double base = k / 64.0 + 0.5, ours = portablePow(base, exponent), library = std::pow(base, exponent);
      EXPECT_LE(ulpsApart(ours, library), 8) << base << "^" << exponent;
      if (exponent > 0) {
        EXPECT_EQ(std::floor(ours * 1024), std::floor(library * 1024)) << base << "^" << exponent;
      }
    }
  }
  EXPECT_EQ(portablePow(0.75, 2), 0.5625);
  EXPECT_EQ(portablePow(1.5, 8), 25.62890625);
  EXPECT_EQ(portablePow(3, -2), 1 / 9.0);
}

TEST(PortablePow, SpecialCasesFollowTheCLibrary) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(portablePow(nan, 0), 1);
  EXPECT_EQ(portablePow(1, nan), 1);
  EXPECT_TRUE(std::isnan(portablePow(nan, 2)));
  EXPECT_TRUE(std::isnan(portablePow(2, nan)));
  EXPECT_EQ(portablePow(-2, 3), -8);
  EXPECT_EQ(portablePow(-2, 4), 16);
  EXPECT_EQ(portablePow(-0.5, -1), -2);
  EXPECT_TRUE(std::isnan(portablePow(-2, 0.5)));
  EXPECT_EQ(portablePow(0, 2), 0);
  EXPECT_EQ(portablePow(0, -1), inf);
  EXPECT_EQ(portablePow(inf, 2), inf);
  EXPECT_EQ(portablePow(inf, -2), 0);
  EXPECT_EQ(portablePow(0.5, inf), 0);
  EXPECT_EQ(portablePow(2, inf), inf);
  EXPECT_EQ(portablePow(0.5, -inf), inf);
  EXPECT_EQ(portablePow(10, 400), inf);
  EXPECT_EQ(portablePow(10, -400), 0);
  EXPECT_EQ(portablePow(2, 10), 1024);
}

}  // namespace
