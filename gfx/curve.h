// Curves: cardinal splines through 3D control points, each point carrying a
// time key and a tension. Effects sample them by a normalised parameter t
// (curvePoint); the script samples them by time (curvePosition, curveTangent),
// looking the time up in the keys.
//
// A curve with no points yields no sample: the functions then write nothing
// and return false, so callers keep their previous value. Point reads are
// clamped to the array, so any curve and any parameter give a defined result.
#pragma once

#include <vector>

#include "gfx/math.h"

struct CurveKey {
  float time = 0;
  float tension = 0;  // 0 everywhere gives the Catmull-Rom spline
  float reserved = 0;
};

struct Curve {
  std::vector<Vec3> points;
  std::vector<CurveKey> keys;  // one per point
  bool closed = false;         // the curve loops from the last point to the first
  bool keyedX = false;         // x of every sample follows the time keys linearly
};

// The position at parameter t: 0..1 runs over the whole curve (a closed curve
// repeats with period 1; an open one runs from points[1] to points[n - 2]).
bool curvePoint(const Curve& curve, float t, Vec3& out);
// The position at show time `time`, wrapped into one period of the keys.
bool curvePosition(const Curve& curve, float time, Vec3& out);
// The unit direction of travel at `time`, (0, 0, 0) where the curve rests.
bool curveTangent(const Curve& curve, float time, Vec3& out);
