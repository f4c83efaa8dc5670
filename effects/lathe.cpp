#include "effects/lathe.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "effects/parameters.h"
#include "gfx/portable_math.h"

namespace {


// Curves that stand for a number, or an empty slot, sample as zero.
Vec3 pointAt(const Curve* curve, float t) {
  Vec3 out;
  if (curve) curvePoint(*curve, t, out);
  return out;
}

Vec3 positionAt(const Curve* curve, float time) {
  Vec3 out;
  if (curve) curvePosition(*curve, time, out);
  return out;
}

float ringValue(const LatheRingCurve& ring, float w) {
  return positionAt(ring.curve, fraction((w + ring.offset) * ring.repeat)).y;
}

struct Profile {
  std::vector<Vec3> samples;   // one per ring
  std::vector<float> arc;      // normalised arc length up to each ring
  Vec3 centroid;
  float lowest = 100000.0f;
  float highest = -100000.0f;
};

// The divisor of the centroid is the sampling step count (m), not the ring
// count, as the shapes were designed with.
Profile sampleProfile(const Curve* curve, int rings, int steps) {
  Profile profile;
  profile.samples.resize(rings);
  profile.arc.assign(rings, 0.0f);
  float length = 0;
  std::vector<float> lengthTo(rings, 0.0f);
  for (int k = 0; k < rings; ++k) {
    const Vec3 q = pointAt(curve, float(k) / float(steps));
    profile.samples[k] = q;
    profile.centroid += q;
    profile.lowest = std::min(profile.lowest, q.y);
    profile.highest = std::max(profile.highest, q.y);
    if (k > 0) length += vecLength((q - profile.samples[k - 1]));
    lengthTo[k] = length;
  }
  profile.centroid *= 1.0f / float(steps);
  // A profile of zero length keeps every ring at arc length 0.
  if (length > 0)
    for (int k = 0; k < rings; ++k) profile.arc[k] = lengthTo[k] / length;
  return profile;
}

struct Path {
  std::vector<Vec3> points;  // one per ring
  std::vector<Vec3> angles;  // (tilt, 0, heading) in radians
  float length = 1.0f;
};

Path samplePath(const LatheShape& shape, int rings, int steps) {
  Path path;
  if (!shape.move) return path;
  path.points.resize(rings);
  path.angles.resize(rings);
  path.length = 0;
  for (int k = 0; k < rings; ++k) {
    const float t = float(k) / float(steps + 1);
    const Vec3 p = pointAt(shape.moveCurve, t);
    const Vec3 d = normalize((pointAt(shape.moveCurve, t + 0.001f) - p));
    path.points[k] = p;
    path.angles[k] = {-pathAngle(d.z, std::sqrt(d.x * d.x + d.y * d.y)), 0.0f,
                      pathAngle(d.y, d.x) + kHalfPi};
    if (k > 0) path.length += vecLength((p - path.points[k - 1]));
  }
  return path;
}

float ringTextureV(int mode, int ring, int rings, float height, const Profile& profile) {
  switch (mode) {
    case 1: return height / float(rings - 1);
    case 3: return float(ring) / float(rings);
    case 4: return profile.arc[ring];
    default: return 0.0f;
  }
}

// Sets 1 to 3 and the seam flags of a vertex on the first or last column or
// ring; set 0 is (u, v) everywhere.
void setSeamCoordinates(MeshVertex& vertex, int ring, int column, int rings, int columns) {
  const float u = vertex.uv[0].x, v = vertex.uv[0].y;
  const bool firstColumn = column == 0, lastColumn = column == columns - 1;
  const bool firstRing = ring == 0, lastRing = ring == rings - 1;
  if (firstColumn || lastColumn) {
    vertex.flags += 1;
    vertex.uv[1] = {firstColumn ? 1.0f : u, v, 0};
  }
  if (firstRing || lastRing) {
    vertex.flags += 2;
    vertex.uv[2] = {u, firstRing ? 1.0f : v, 0};
  }
  if ((firstColumn || lastColumn) && (firstRing || lastRing)) {
    vertex.flags += 4;
    vertex.uv[3] = {firstColumn ? 1.0f : u, firstRing ? 1.0f : v, 0};
  }
}

// Two triangles per quad between ring `from` and ring `to`, the last quad
// closing the ring from column R-1 back to column 0.
void addBand(Mesh& mesh, int from, int to, int columns) {
  auto vertex = [columns](int ring, int column) { return ring * columns + column; };
  for (int b = 0; b + 1 < columns; ++b) {
    addTriangle(mesh, vertex(from, b), vertex(from, b + 1), vertex(to, b));
    addTriangle(mesh, vertex(from, b + 1), vertex(to, b + 1), vertex(to, b));
  }
  const int last = columns - 1;
  addTriangle(mesh, vertex(from, last), vertex(from, 0), vertex(to, last));
  addTriangle(mesh, vertex(from, 0), vertex(to, 0), vertex(to, last));
}

}  // namespace

LatheShape readLatheShape(const Effect& effect, int index) {
  auto ringCurve = [&](const char* curve, const char* repeat, const char* offset) {
    LatheRingCurve ring;
    ring.curve = readCurve(effect, curve, index);
    ring.repeat = readFloat(effect, repeat, 0.0f, index);
    ring.offset = readFloat(effect, offset, 0.0f, index);
    return ring;
  };
  LatheShape shape;
  shape.scaleY = ringCurve("sorveScaleYCurve", "sorveScaleYRepeat", "sorveScaleYOfs");
  shape.rotateCentre =
      ringCurve("sorveRotateCenterCurve", "sorveRotateCenterRepeat", "sorveRotateCenterOfs");
  shape.scaleCentre =
      ringCurve("sorveScaleCenterCurve", "sorveScaleCenterRepeat", "sorveScaleCenterOfs");
  shape.moveCurve = readCurve(effect, "sorveMoveCurve", index);
  shape.move = readInt(effect, "sorveMove", 0, index);
  shape.moveRepeat = readFloat(effect, "sorveMoveRepeat", 0.0f, index);
  shape.moveStart = readFloat(effect, "sorveMoveStart", 0.0f, index);
  shape.moveEnd = readFloat(effect, "sorveMoveEnd", 0.0f, index);
  shape.moveRotate = ringCurve("sorveMoveRotCurve", "sorveMoveRotRepeat", "sorveMoveRotOfs");
  shape.outline = readCurve(effect, "sorveOutCurve", index);
  shape.rings = readInt(effect, "sorveDivs", 0, index);
  shape.columns = readInt(effect, "sorveRevols", 0, index);
  shape.tangentAxis = readInt(effect, "sorveAxis", 0, index);
  shape.texGenMode = readInt(effect, "sorveTexGenMode", 0, index);
  return shape;
}

int latheRings(const LatheShape& shape) { return std::clamp(shape.rings, 2, kMaxLatheRings); }
int latheColumns(const LatheShape& shape) { return std::max(shape.columns, 2); }

Mesh buildLathe(const Curve* profileCurve, const LatheShape& shape) {
  const int rings = latheRings(shape);
  const int columns = latheColumns(shape);
  const bool closed = profileCurve && profileCurve->closed;
  const int steps = closed ? rings : rings - 1;

  const Profile profile = sampleProfile(profileCurve, rings, steps);
  Vec3 outlineMean;
  for (int b = 0; b < columns; ++b) outlineMean += pointAt(shape.outline, float(b) / columns);
  outlineMean *= 1.0f / float(columns);
  const Path path = samplePath(shape, rings, steps);
  const float heightRange = profile.highest - profile.lowest;

  Mesh mesh;
  mesh.vertices.resize(size_t(rings) * columns);
  mesh.triangles.reserve(size_t(2) * rings * columns);
  for (int k = 0; k < rings; ++k) {
    // A flat profile has every ring at height 0 along the path.
    const float h = heightRange > 0
                        ? (profile.samples[k].y - profile.lowest) / heightRange * float(rings - 1)
                        : 0.0f;
    const int j = std::clamp(int(h), 0, rings - 1);
    const float f = h - float(j);
    const int next = std::min(j + 1, rings - 1);
    for (int b = 0; b < columns; ++b) {
      const float u = float(b) / float(columns);
      const float w = float(b) / float(columns - 1);
      MeshVertex& vertex = mesh.vertices[size_t(k) * columns + b];

      Vec3 tangent{0, 0, -1};
      rotateAboutAxis(tangent, shape.tangentAxis, kTwoPi * u);

      Vec3 q = (profile.samples[k] - profile.centroid);
      const float centreScale = ringValue(shape.scaleCentre, w);
      q.x *= centreScale;
      q.y *= centreScale;
      rotateAboutAxis(q, 2, kTwoPi * ringValue(shape.rotateCentre, w));
      q += profile.centroid;

      const Vec3 n = (pointAt(shape.outline, u) - outlineMean);
      q = {q.x * n.x, q.y, q.x * n.y};

      if (shape.move) {
        const Vec3 offset = lerp(path.points[j], path.points[next], f);
        const Vec3 angles = lerp(path.angles[j], path.angles[next], f);
        q.y = 0;
        rotateAboutAxis(q, 2, angles.z);
        Vec3 tiltAxis{1, 0, 0};
        rotateAboutAxis(tiltAxis, 2, angles.z);
        rotateAround(q, tiltAxis, angles.x);
        q += offset;
      }
      q.y *= ringValue(shape.scaleY, w);

      vertex.position = q;
      vertex.restPosition = q;
      vertex.tangent = tangent;
      vertex.color = {1, 1, 1};
      vertex.uv[0] = {u, ringTextureV(shape.texGenMode, k, rings, h, profile), 0};
      setSeamCoordinates(vertex, k, b, rings, columns);
      for (Vec3& set : vertex.uv) set.y *= path.length;
    }
  }
  for (int k = 0; k + 1 < rings; ++k) addBand(mesh, k, k + 1, columns);
  if (closed) addBand(mesh, rings - 1, 0, columns);
  return mesh;
}
