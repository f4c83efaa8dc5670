#include "gfx/portable_math.h"

#include <array>
#include <cmath>
#include <limits>

namespace {

// pi / 2 as three parts: the first two have 33 significant bits, so that n
// times them is exact for |n| < 2^20, the third holds the rest.
constexpr double kHalfPi1 = 0x1.921fb544p+0;
constexpr double kHalfPi2 = 0x1.0b4611a6p-34;
constexpr double kHalfPi3 = 0x1.3198a2e037073p-69;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr double kTwoPi = 0x1.921fb54442d18p+2;
// Beyond this many quarter turns n * kHalfPi1 is no longer exact.
constexpr double kLargestQuarterTurns = 524288;

// ln 2 as two parts: the first has 32 significant bits, so that n times it is
// exact for every exponent a double has.
constexpr double kLn2High = 0x1.62e42ffp-1;
constexpr double kLn2Low = -0x1.718432a1b0e26p-35;
constexpr double kOneOverLn2 = 0x1.71547652b82fep+0;

constexpr double inverseFactorial(int n) {
  double f = 1;
  for (int i = 2; i <= n; ++i) f *= i;
  return 1 / f;
}

// Taylor series in z = r^2, the smallest coefficient first:
// sin r = r + r z S(z) and cos r = 1 + z C(z). On |r| <= pi / 4 the first term left out is below
// 2^-60 of the result.
template <int first>
constexpr std::array<double, 9> alternatingInverseFactorials() {
  std::array<double, 9> terms{};
  for (int i = 0; i < 9; ++i) {
    const int n = first + 2 * (8 - i);
    terms[size_t(i)] = (n / 2 % 2 == 1 ? -1 : 1) * inverseFactorial(n);
  }
  return terms;
}
constexpr auto kSinTerms = alternatingInverseFactorials<3>();
constexpr auto kCosTerms = alternatingInverseFactorials<2>();

// 1 / n for the odd n from 25 down to 3: the atanh series.
constexpr std::array<double, 12> atanhTerms() {
  std::array<double, 12> terms{};
  for (int i = 0; i < 12; ++i) terms[size_t(i)] = 1.0 / (25 - 2 * i);
  return terms;
}
constexpr auto kAtanhTerms = atanhTerms();

// 1 / k! for k from 16 down to 2.
constexpr std::array<double, 15> expTerms() {
  std::array<double, 15> terms{};
  for (int i = 0; i < 15; ++i) terms[size_t(i)] = inverseFactorial(16 - i);
  return terms;
}
constexpr auto kExpTerms = expTerms();

template <size_t count>
double horner(const std::array<double, count>& terms, double z) {
  double sum = 0;
  for (const double term : terms) sum = sum * z + term;
  return sum;
}

double sinNearZero(double r) {
  const double z = r * r;
  return r + r * z * horner(kSinTerms, z);
}

double cosNearZero(double r) { return 1 + r * r * horner(kCosTerms, r * r); }

// pi / 2 and pi / 4 as a double and the rest.
constexpr double kHalfPiHigh = 0x1.921fb54442d18p+0, kHalfPiLow = 0x1.1a62633145c07p-54;
constexpr double kQuarterPiHigh = 0x1.921fb54442d18p-1, kQuarterPiLow = 0x1.1a62633145c07p-55;
// Below tan(pi / 8) the arctangent goes by its series.
constexpr double kTanEighthPi = 0x1.a827999fcef32p-2;

// The coefficients of atan v = v + v z A(z), z = v^2, the smallest first: on
// |v| <= tan(pi / 8) the first term left out is below 2^-60 of the result.
constexpr std::array<double, 24> atanSeriesTerms() {
  std::array<double, 24> terms{};
  for (int i = 0; i < 24; ++i) {
    const int n = 49 - 2 * i;
    terms[size_t(i)] = (n / 2 % 2 == 1 ? -1.0 : 1.0) / n;
  }
  return terms;
}
constexpr auto kAtanSeriesTerms = atanSeriesTerms();

// atan u for u in [0, 1]: above tan(pi / 8) as pi / 4 + atan((u - 1) / (u + 1)).
double atanUpToOne(double u) {
  const double v = u > kTanEighthPi ? (u - 1) / (u + 1) : u;
  const double series = v + v * (v * v) * horner(kAtanSeriesTerms, v * v);
  return u > kTanEighthPi ? kQuarterPiHigh + (series + kQuarterPiLow) : series;
}

// x = r + quarterTurns * pi / 2 with |r| <= pi / 4 (a little more far out).
double reduceQuarterTurns(double x, int& quarterTurns) {
  double n = std::floor(x * kTwoOverPi + 0.5);
  if (std::fabs(n) >= kLargestQuarterTurns) {
    x = std::fmod(x, kTwoPi);
    n = std::floor(x * kTwoOverPi + 0.5);
  }
  quarterTurns = int(n) & 3;
  return ((x - n * kHalfPi1) - n * kHalfPi2) - n * kHalfPi3;
}

// sin(x + quarterTurns * pi / 2).
double sinQuarterTurns(double r, int quarterTurns) {
  switch (quarterTurns) {
    case 0: return sinNearZero(r);
    case 1: return cosNearZero(r);
    case 2: return -sinNearZero(r);
    default: return -cosNearZero(r);
  }
}

// ln x for finite x > 0: x = m * 2^e with m in [sqrt(1/2), sqrt(2)), and
// ln m = 2 atanh(s) with s = (m - 1) / (m + 1), |s| < 0.172.
double logPositive(double x) {
  int e = 0;
  double m = std::frexp(x, &e);
  if (m < 0x1.6a09e667f3bcdp-1) {
    m *= 2;
    --e;
  }
  const double s = (m - 1) / (m + 1), z = s * s;
  const double lnM = 2 * s + 2 * s * z * horner(kAtanhTerms, z);
  return e * kLn2High + (e * kLn2Low + lnM);
}

// e^y = e^r * 2^n with |r| <= ln 2 / 2.
double exponential(double y) {
  if (std::isnan(y)) return y;
  if (y > 710) return std::numeric_limits<double>::infinity();
  if (y < -746) return 0;
  const double n = std::floor(y * kOneOverLn2 + 0.5);
  const double r = (y - n * kLn2High) - n * kLn2Low;
  return std::ldexp(1 + r + r * r * horner(kExpTerms, r), int(n));
}

// x^n by repeated squaring: exact whenever the result is representable,
// as with the C library, and within n / 2 units in the last place otherwise.
double integerPower(double x, int n) {
  const bool reciprocal = n < 0;
  double result = 1, square = x;
  for (unsigned bits = unsigned(reciprocal ? -n : n); bits != 0; bits >>= 1) {
    if (bits & 1) result *= square;
    if (bits > 1) square *= square;
  }
  return reciprocal ? 1 / result : result;
}

// Small integer exponents (the effects' squares, eighth powers and the like)
// go by multiplication.
constexpr double kLargestMultipliedExponent = 16;

bool isOddInteger(double y) { return std::fabs(y) < 0x1p53 && std::fmod(y, 2) != 0; }

}  // namespace

double portableSin(double x) {
  if (x == 0) return x;  // keeps the sign of a zero
  if (!std::isfinite(x)) return x - x;
  int quarterTurns = 0;
  const double r = reduceQuarterTurns(x, quarterTurns);
  return sinQuarterTurns(r, quarterTurns);
}

double portableCos(double x) {
  if (!std::isfinite(x)) return x - x;
  int quarterTurns = 0;
  const double r = reduceQuarterTurns(x, quarterTurns);
  return sinQuarterTurns(r, (quarterTurns + 1) & 3);
}

double portableAtan(double x) {
  if (x == 0 || std::isnan(x)) return x;
  const double magnitude = std::fabs(x);
  const double angle =
      magnitude > 1 ? kHalfPiHigh - (atanUpToOne(1 / magnitude) - kHalfPiLow) : atanUpToOne(magnitude);
  return x < 0 ? -angle : angle;
}

double portablePow(double x, double y) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  if (y == 0 || x == 1) return 1;
  if (std::isnan(x) || std::isnan(y)) return x + y;
  if (x < 0) {
    if (std::isfinite(y) && std::trunc(y) != y) return std::numeric_limits<double>::quiet_NaN();
    const double magnitude = portablePow(-x, y);
    return isOddInteger(y) ? -magnitude : magnitude;
  }
  if (x == 0) return y > 0 ? 0 : kInfinity;
  if (std::isinf(x)) return y > 0 ? kInfinity : 0;
  if (std::isinf(y)) return (x < 1) == (y > 0) ? 0 : kInfinity;
  if (std::fabs(y) <= kLargestMultipliedExponent && std::trunc(y) == y) return integerPower(x, int(y));
  return exponential(y * logPositive(x));
}
