#include "gfx/math.h"

#include <cmath>
#include <cstring>

#include "gfx/portable_math.h"

float dot(const Vec3& a, const Vec3& b) {
  return float(double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z);
}

float vecLength(const Vec3& a) { return float(std::sqrt(double(dot(a, a)))); }

Vec3 cross(const Vec3& a, const Vec3& b) {
  return {float(double(a.y) * b.z - double(a.z) * b.y), float(double(a.z) * b.x - double(a.x) * b.z),
          float(double(a.x) * b.y - double(a.y) * b.x)};
}

Vec3 triangleNormal(const Vec3& a, const Vec3& b, const Vec3& c) {
  return cross(b - a, c - a);
}

float pathAngle(float y, float x) {
  if (x == 0) return y >= 0 ? kHalfPi : -kHalfPi;
  const float a = portableAtan(y / x);
  return x > 0 ? a : a + kPi;
}

Vec3 normalize(const Vec3& a) {
  const float length = vecLength(a);
  if (length == 0) return a;
  return {float(a.x / double(length)), float(a.y / double(length)), float(a.z / double(length))};
}

void transformByMatrix(Vec4& v, const float* m) {
  const double x = v.x, y = v.y, z = v.z, w = v.w;
  v.x = float(m[0] * x + m[4] * y + m[8] * z + m[12] * w);
  v.y = float(m[1] * x + m[5] * y + m[9] * z + m[13] * w);
  v.z = float(m[2] * x + m[6] * y + m[10] * z + m[14] * w);
  v.w = 0;
}

void rotateAboutAxis(Vec3& v, int axis, float angle) {
  const double c = portableCos(double(angle)), s = portableSin(double(angle));
  const double x = v.x, y = v.y, z = v.z;
  switch (axis) {
    case 0: v = {v.x, float(c * y + s * z), float(c * z - s * y)}; break;
    case 1: v = {float(c * x + s * z), v.y, float(c * z - s * x)}; break;
    case 2: v = {float(c * x - s * y), float(s * x + c * y), v.z}; break;
    default: v = {0, 0, 0}; break;
  }
}

void rotateAround(Vec3& v, const Vec3& u, float angle) {
  const double c = portableCos(double(angle)), s = portableSin(double(angle));
  const Vec3 uv = cross(u, v);
  const double along = double(dot(u, v)) * (1 - c);
  v = {float(v.x * c + uv.x * s + u.x * along), float(v.y * c + uv.y * s + u.y * along),
       float(v.z * c + uv.z * s + u.z * along)};
}

void multiply(const float* a, const float* b, float* out) {
  float result[16];
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += double(a[k * 4 + row]) * b[column * 4 + k];
      result[column * 4 + row] = float(sum);
    }
  memcpy(out, result, sizeof result);
}

float clamp01(float x) {
  if (x < 0) return 0;
  if (x > 1) return 1;
  return x;
}

float fraction(float x) {
  if (x >= 0) return float(double(x) - std::trunc(double(x)));
  return float(1 - (-double(x) - std::trunc(-double(x))));
}

float pulse(float x, float upStart, float upLength, float downStart, float downLength) {
  return float(double(rampUp(x, upStart, upLength)) * rampDown(x, downStart, downLength));
}

float softFalloff(float r, float radius) {
  if (!(r < radius)) return 0;
  if (!(r > 0)) return 1;
  // The constants are the single-precision values of 17/9, 4/9 and 22/9.
  const double r2 = double(r) * r, d2 = double(radius) * radius;
  const double r4 = r2 * r2, d4 = d2 * d2;
  return float(double(1.8888888f) * r4 / d4 - double(0.44444445f) * (r4 * r2) / (d4 * d2) -
               double(2.4444444f) * r2 / d2 + 1);
}

float powerInt(float x, int n, bool keepSign) {
  const double magnitude = std::fabs(double(x));
  double result = 1;
  for (int i = 0; i < n; ++i) result *= magnitude;
  if (keepSign && !(x > 0)) result = -result;
  return float(result);
}

float powerSigned(float x, float p, bool keepSign) {
  if (!keepSign) return float(portablePow(std::fabs(double(x)), double(p)));
  // Written as sign * (sign * x)^p so that a zero base behaves as the
  // negative branch does: -(0^p).
  const double sign = x > 0 ? 1 : -1;
  return float(sign * portablePow(sign * x, double(p)));
}
