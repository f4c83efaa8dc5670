// Small numeric toolkit shared by the script built-ins, meshes, curves,
// effects and the show generator: 3-vector value operations, column-major 4x4
// matrices, axis rotations and the scalar shaping functions used for
// animation envelopes.
//
// Storage is single precision; the functions below the operators compute
// their intermediate results in double.
#pragma once

#include <cstdint>
#include <limits>
#include <numbers>

inline constexpr float kPi = std::numbers::pi_v<float>;
inline constexpr float kHalfPi = kPi / 2;
inline constexpr float kTwoPi = 2 * kPi;

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

struct Vec4 {
  float x = 0, y = 0, z = 0, w = 0;
};

// Value operations, element by element, each in single precision.
inline Vec3 operator+(Vec3 a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vec3 operator*(float s, Vec3 a) { return a * s; }
inline Vec3 operator*(Vec3 a, const Vec3& b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }
inline Vec3& operator+=(Vec3& a, const Vec3& b) { return a = a + b; }
inline Vec3& operator-=(Vec3& a, const Vec3& b) { return a = a - b; }
inline Vec3& operator*=(Vec3& a, float s) { return a = a * s; }
inline Vec3& operator*=(Vec3& a, const Vec3& b) { return a = a * b; }
// a + (b - a) * t.
inline Vec3 lerp(const Vec3& a, const Vec3& b, float t) { return a + (b - a) * t; }

float dot(const Vec3& a, const Vec3& b);
float vecLength(const Vec3& a);
Vec3 cross(const Vec3& a, const Vec3& b);
// cross(b - a, c - a), not normalised.
Vec3 triangleNormal(const Vec3& a, const Vec3& b, const Vec3& c);
// A zero vector stays zero.
Vec3 normalize(const Vec3& a);
// The angle of the direction (x, y) in radians, in [-pi/2, 3pi/2): the
// arctangent of y / x, turned by pi for negative x; +-pi/2 on the y axis.
float pathAngle(float y, float x);

// v multiplied by M; w of the result is 0.
void transformByMatrix(Vec4& v, const float* m);
// Rotation by `angle` radians about axis 0 (x), 1 (y) or 2 (z); any other
// axis sets v to zero.
void rotateAboutAxis(Vec3& v, int axis, float angle);
// Rotation of v by `angle` radians about the unit vector u.
void rotateAround(Vec3& v, const Vec3& u, float angle);

// Matrices are 16 floats in OpenGL column-major order.
// out = a * b; out may alias a or b.
void multiply(const float* a, const float* b, float* out);

float clamp01(float x);
// 1 for x >= 0, else 0 (also for not-a-number).
inline float step(float x) { return x >= 0 ? 1.0f : 0.0f; }
// Always in [0, 1]: the fractional part, wrapped upward for negative x.
float fraction(float x);
// 0 before start (and when unordered), rising linearly to 1 over `length`.
inline float rampUp(float x, float start, float length) {
  if (!(x >= start)) return 0;
  const double d = double(x) - start;
  if (length > d) return float(d / length);
  return 1;
}

// 1 before start (and when unordered), falling linearly to 0 over `length`.
inline float rampDown(float x, float start, float length) {
  if (!(x >= start)) return 1;
  const double d = double(x) - start;
  if (length > d) return float(1 - d / length);
  return 0;
}
float pulse(float x, float upStart, float upLength, float downStart, float downLength);
// The soft-object field: 1 at r = 0 falling to 0 at r = radius with zero
// slope at both ends; 0 unless r < radius, 1 for r <= 0.
float softFalloff(float r, float radius);
// |x|^n by repeated multiplication (1 for n < 1), signed like x when keepSign.
float powerInt(float x, int n, bool keepSign);
// pow(|x|, p), signed like x when keepSign (+1 only for x > 0).
float powerSigned(float x, float p, bool keepSign);

// Float to int32 truncating toward zero; NaN and values out of range give
// INT32_MIN, as the x86 conversion instruction does.
inline int32_t truncToInt(double x) {
  if (!(x > -2147483649.0 && x < 2147483648.0)) return std::numeric_limits<int32_t>::min();
  return int32_t(x);
}
