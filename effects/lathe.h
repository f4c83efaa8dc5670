// The lathe builder: sweeps a closed surface from a profile curve (x the
// radius, y the height) and a cross-section outline that every ring of the
// profile follows, with optional scaling, turning and bending along a path.
//
// Rings run along the profile, columns around the outline; vertex k * R + b
// is ring k, column b. Every vertex carries four texture coordinate sets and
// seam flags so that the triangles crossing the seams of the wrapped texture
// take coordinates of their own (see textureSetForTriangle in gfx/mesh_draw.h).
// Used by the "sorver", "sorverBreak" and "projectioner" kinds.
#pragma once

#include "framework/effect.h"
#include "gfx/curve.h"
#include "gfx/mesh.h"

// The largest number of rings; the arc-length and path tables hold this many.
inline constexpr int kMaxLatheRings = 5000;
// The most vertices the surfaces of one effect may hold together (about a
// gigabyte with their copies); more is a data error, not an allocation that
// fails or a frame that never ends. A real surface holds a few thousand.
inline constexpr int kMaxLatheVertices = 1 << 20;
// The most surfaces one effect builds.
inline constexpr int kMaxLatheSurfaces = 1024;

// A curve that stands for a number around the ring, sampled by key time at
// wrap01((w + offset) * repeat).
struct LatheRingCurve {
  const Curve* curve = nullptr;
  float repeat = 0;
  float offset = 0;
};

struct LatheShape {
  LatheRingCurve scaleY;        // height scale around the ring
  LatheRingCurve rotateCentre;  // profile turn about its centroid, in turns
  LatheRingCurve scaleCentre;   // profile scale about its centroid
  const Curve* moveCurve = nullptr;
  int move = 0;  // non-zero: bend the surface along moveCurve
  // Read and kept, but they do not change the geometry.
  float moveRepeat = 0, moveStart = 0, moveEnd = 0;
  LatheRingCurve moveRotate;
  const Curve* outline = nullptr;  // the cross-section, sampled around the ring
  int rings = 2;                   // samples along the profile, 2..kMaxLatheRings
  int columns = 2;                 // samples around each ring, at least 2
  int tangentAxis = 1;             // 0 x, 1 y, 2 z: the axis the tangent turns about
  int texGenMode = 3;              // v from: 1 the height, 3 the ring number, 4 the arc length
};


// The shape parameters of surface `index` ("sorveScaleYCurve" to
// "sorveTexGenMode"), read in the order the lathe kinds declare them.
LatheShape readLatheShape(const Effect& effect, int index);

// Builds the surface of `profile` (none or an empty curve sweeps the origin).
// Rings are held to 2..kMaxLatheRings and columns to at least 2; the caller
// keeps the product within kMaxLatheVertices.
Mesh buildLathe(const Curve* profile, const LatheShape& shape);
// The rings and columns buildLathe uses for the shape: rings held to
// 2..kMaxLatheRings, columns at least 2.
int latheRings(const LatheShape& shape);
int latheColumns(const LatheShape& shape);
