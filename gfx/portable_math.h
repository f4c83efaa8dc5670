// Sine, cosine, arctangent and power computed from additions,
// multiplications and divisions only, so that every system draws the same
// geometry: C runtimes differ in the last bits of their sin, cos, atan and
// pow, and a vertex moved by one bit can change a pixel. Needs nothing but <cmath>'s exact helpers (frexp,
// ldexp, floor).
//
// Accuracy: sine and cosine lie within about one unit in the last place of the
// true value for |x| below 800 000 radians; farther out the angle is reduced
// against 2 pi in double precision, the same on every system but no longer
// close to the true value (a float that large has no fraction left anyway).
// The arctangent lies within about one unit of the true value everywhere.
// power with an integer exponent up to 16 in size multiplies, exact where
// the result is representable; otherwise it lies within a few units of the
// last place of a double, plus |y * ln x| units, far inside the float
// precision the effects keep.
#pragma once

double portableSin(double x);
double portableCos(double x);
double portableAtan(double x);
// pow(x, y) with the C library's special cases: y = 0 gives 1, a negative x
// gives NaN unless y is an integer, a zero x gives 0 or infinity.
double portablePow(double x, double y);

// The float forms round the double result once.
inline float portableSin(float x) { return float(portableSin(double(x))); }
inline float portableCos(float x) { return float(portableCos(double(x))); }
inline float portableAtan(float x) { return float(portableAtan(double(x))); }
