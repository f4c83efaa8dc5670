#include "gfx/curve.h"

#include <algorithm>
#include <cmath>

namespace {

int pointCount(const Curve& curve) { return int(curve.points.size()); }

// Reads are clamped so that the zero-weighted fourth point at the very end of
// an open curve, and curves shorter than a spline segment, stay in the array.
const Vec3& pointAt(const Curve& curve, long index) {
  return curve.points[size_t(std::clamp<long>(index, 0, pointCount(curve) - 1))];
}

CurveKey keyAt(const Curve& curve, long index) {
  if (curve.keys.empty()) return {};
  return curve.keys[size_t(std::clamp<long>(index, 0, long(curve.keys.size()) - 1))];
}

// Truncation toward zero with not-a-number and huge values mapped into
// [low, high], for segment indices.
long clampedSegment(double u, long low, long high) {
  if (!(u > double(low))) return low;
  if (!(u < double(high))) return high;
  return long(std::trunc(u));
}

double coordinate(const Vec3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

}  // namespace

bool curvePoint(const Curve& curve, float t, Vec3& out) {
  const long n = pointCount(curve);
  if (n == 0) return false;
  double u;
  long first;
  if (curve.closed) {
    u = (double(t) - std::trunc(double(t))) * n;
    first = clampedSegment(u, 0, n - 1);
  } else {
    const long segments = std::max<long>(n - 3, 0);
    u = double(t) * segments;
    first = clampedSegment(u, 0, segments);
  }
  const double c = u - std::trunc(u);
  auto index = [&](long k) { return curve.closed ? (first + k) % n : first + k; };
  const Vec3 &p0 = pointAt(curve, index(0)), &p1 = pointAt(curve, index(1)),
             &p2 = pointAt(curve, index(2)), &p3 = pointAt(curve, index(3));
  const CurveKey k1 = keyAt(curve, index(1)), k2 = keyAt(curve, index(2));
  const double s = 0.5 - (c * k2.tension + (1 - c) * k1.tension) * 0.5;
  float result[3];
  for (int axis = 0; axis < 3; ++axis) {
    const double a0 = coordinate(p0, axis), a1 = coordinate(p1, axis), a2 = coordinate(p2, axis),
                 a3 = coordinate(p3, axis);
    result[axis] = float(a1 + c * s * (a2 - a0) +
                         c * c * (2 * s * a0 + (s - 3) * a1 + (3 - 2 * s) * a2 - s * a3) +
                         c * c * c * (-s * a0 + (2 - s) * a1 + (s - 2) * a2 + s * a3));
  }
  out = {result[0], result[1], result[2]};
  if (curve.keyedX) out.x = float(c * k2.time + (1 - c) * k1.time);
  return true;
}

bool curvePosition(const Curve& curve, float time, Vec3& out) {
  const long n = pointCount(curve);
  if (n == 0) return false;
  const double last = keyAt(curve, n - 1).time;
  const double d = last == 0 ? double(time) : time / last;
  const double f = last * (d - std::trunc(d));
  long i = 0;
  if (!(f <= keyAt(curve, 0).time)) {
    i = n - 1;
    for (long k = 1; k < n; ++k)
      if (f <= keyAt(curve, k).time) {
        i = k;
        break;
      }
  }
  const double ki = keyAt(curve, i).time;
  const double x = i > 0 ? i + (ki - f) / (keyAt(curve, i - 1).time - ki) : (ki - f) / -ki;
  if (curve.closed) return curvePoint(curve, float((x + n - 1) / n), out);
  if (i < 2) {
    out = pointAt(curve, 1);
  } else if (i == n - 1) {
    out = pointAt(curve, n - 2);
  } else {
    return curvePoint(curve, float((x - 1) / (n - 3)), out);
  }
  return true;
}

bool curveTangent(const Curve& curve, float time, Vec3& out) {
  Vec3 here, ahead, behind;
  if (!curvePosition(curve, time, here)) return false;
  curvePosition(curve, time + 0.01f, ahead);
  curvePosition(curve, time - 0.01f, behind);
  ahead -= here;
  behind -= here;
  const float aheadLength = vecLength(ahead), behindLength = vecLength(behind);
  if (aheadLength > behindLength) {
    out = normalize(ahead);
  } else if (behindLength == 0) {
    out = {0, 0, 0};
  } else {
    out = normalize(behind);
    out *= -1;
  }
  return true;
}
