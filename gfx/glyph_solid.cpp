#include "gfx/glyph_solid.h"

#include <GL/glu.h>
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <deque>
#include <stdexcept>

namespace {

void addTriangle(GlyphSolid& mesh, uint32_t a, uint32_t b, uint32_t c) {
  mesh.polygons.push_back({3, {a, b, c, 0}});
}

void addQuad(GlyphSolid& mesh, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  mesh.polygons.push_back({4, {a, b, c, d}});
}

// Walls turn a corner (new vertices) where the outline bends more than this.
const double kSharpCornerCosine = std::cos(32.0 * 3.14159265358979 / 180.0);

struct OutlineBuilder {
  double scale;
  OutlineDetail detail;
  std::vector<OutlineContour> contours;
  OutlinePoint pen{0, 0};

  OutlinePoint toPoint(const FT_Vector* v) const { return {v->x * scale, v->y * scale}; }
  void lineTo(OutlinePoint p) {
    contours.back().push_back(p);
    pen = p;
  }
  // How many straight pieces a curve becomes: by the length of its control
  // polygon, or by how far its middle strays from the chord when a largest
  // deviation is given.
  int pieces(double length, double bulge) const {
    if (detail.maxDeviation > 0) {
      const int n = static_cast<int>(std::ceil(std::sqrt(bulge / detail.maxDeviation)));
      return std::clamp(n, 1, detail.maxCurvePieces);
    }
    return std::clamp(static_cast<int>(std::ceil(length / detail.curveStep)), 1, detail.maxCurvePieces);
  }
};

double distance(OutlinePoint a, OutlinePoint b) { return std::hypot(b.x - a.x, b.y - a.y); }

int moveTo(const FT_Vector* to, void* user) {
  auto* builder = static_cast<OutlineBuilder*>(user);
  builder->contours.emplace_back();
  builder->lineTo(builder->toPoint(to));
  return 0;
}

int lineTo(const FT_Vector* to, void* user) {
  auto* builder = static_cast<OutlineBuilder*>(user);
  builder->lineTo(builder->toPoint(to));
  return 0;
}

int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto* builder = static_cast<OutlineBuilder*>(user);
  const OutlinePoint p0 = builder->pen, p1 = builder->toPoint(control), p2 = builder->toPoint(to);
  // The curve strays at most a quarter of |p0 - 2 p1 + p2| from its chord.
  const double bulge = std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y) / 4;
  const int n = builder->pieces(distance(p0, p1) + distance(p1, p2), bulge);
  for (int i = 1; i <= n; ++i) {
    const double t = static_cast<double>(i) / n, s = 1 - t;
    builder->lineTo({s * s * p0.x + 2 * s * t * p1.x + t * t * p2.x,
                     s * s * p0.y + 2 * s * t * p1.y + t * t * p2.y});
  }
  return 0;
}

int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto* builder = static_cast<OutlineBuilder*>(user);
  const OutlinePoint p0 = builder->pen, p1 = builder->toPoint(c1), p2 = builder->toPoint(c2),
               p3 = builder->toPoint(to);
  const double bulge = 0.75 * std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                                       std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
  const int n = builder->pieces(distance(p0, p1) + distance(p1, p2) + distance(p2, p3), bulge);
  for (int i = 1; i <= n; ++i) {
    const double t = static_cast<double>(i) / n, s = 1 - t;
    const double a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
    builder->lineTo({a * p0.x + b * p1.x + c * p2.x + d * p3.x,
                     a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
  return 0;
}

// Drops repeated points (also the closing repeat of the first point) and
// contours too small to enclose anything.
void cleanContours(std::vector<OutlineContour>& contours) {
  for (OutlineContour& contour : contours) {
    OutlineContour cleaned;
    for (const OutlinePoint& p : contour) {
      if (cleaned.empty() || distance(cleaned.back(), p) > 1e-7) cleaned.push_back(p);
    }
    while (cleaned.size() > 1 && distance(cleaned.front(), cleaned.back()) <= 1e-7) cleaned.pop_back();
    contour = std::move(cleaned);
  }
  std::erase_if(contours, [](const OutlineContour& c) { return c.size() < 3; });
}

// Non-zero winding number of the outline around p.
int windingNumber(const std::vector<OutlineContour>& contours, OutlinePoint p) {
  int winding = 0;
  for (const OutlineContour& contour : contours) {
    for (size_t i = 0; i < contour.size(); ++i) {
      const OutlinePoint a = contour[i], b = contour[(i + 1) % contour.size()];
      const double side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
      if (a.y <= p.y && b.y > p.y && side > 0) ++winding;
      if (a.y > p.y && b.y <= p.y && side < 0) --winding;
    }
  }
  return winding;
}

// Whether the solid lies to the right of the contour's direction of travel,
// tested just beside the middle of its longest edge.
bool filledOnRight(const std::vector<OutlineContour>& contours, const OutlineContour& contour) {
  size_t longest = 0;
  double longestLength = -1;
  for (size_t i = 0; i < contour.size(); ++i) {
    const double len = distance(contour[i], contour[(i + 1) % contour.size()]);
    if (len > longestLength) {
      longestLength = len;
      longest = i;
    }
  }
  const OutlinePoint a = contour[longest], b = contour[(longest + 1) % contour.size()];
  const double eps = 1e-4 / longestLength;
  const OutlinePoint probe{(a.x + b.x) / 2 + (b.y - a.y) * eps, (a.y + b.y) / 2 - (b.x - a.x) * eps};
  return windingNumber(contours, probe) != 0;
}

struct CapTessellation {
  std::deque<std::array<GLdouble, 3>> coordinates;
  std::vector<uint32_t> corners;
  bool failed = false;
};

// GLU takes every callback as a function without parameters (the name of
// that type differs between GLU's headers).
using TessCallback = void (*)();

void tessVertex(void* vertex, void* data) {
  static_cast<CapTessellation*>(data)->corners.push_back(
      static_cast<uint32_t>(reinterpret_cast<uintptr_t>(vertex)));
}

void tessCombine(GLdouble coords[3], void*[4], GLfloat[4], void** out, void* data) {
  auto* cap = static_cast<CapTessellation*>(data);
  cap->coordinates.push_back({coords[0], coords[1], 0});
  *out = reinterpret_cast<void*>(static_cast<uintptr_t>(cap->coordinates.size() - 1));
}

void tessEdgeFlag(GLboolean, void*) {}  // asking for edge flags makes GLU emit plain triangles
void tessBegin(GLenum, void*) {}
void tessError(GLenum, void* data) { static_cast<CapTessellation*>(data)->failed = true; }

CapTessellation tessellateCap(const std::vector<OutlineContour>& contours) {
  CapTessellation cap;
  for (const OutlineContour& contour : contours) {
    for (const OutlinePoint& p : contour) cap.coordinates.push_back({p.x, p.y, 0});
  }
  GLUtesselator* tess = gluNewTess();
  gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
  gluTessNormal(tess, 0, 0, 1);
  gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<TessCallback>(tessBegin));
  gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<TessCallback>(tessVertex));
  gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<TessCallback>(tessCombine));
  gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<TessCallback>(tessEdgeFlag));
  gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<TessCallback>(tessError));
  gluTessBeginPolygon(tess, &cap);
  uintptr_t index = 0;
  for (const OutlineContour& contour : contours) {
    gluTessBeginContour(tess);
    for (size_t i = 0; i < contour.size(); ++i, ++index) {
      gluTessVertex(tess, cap.coordinates[index].data(), reinterpret_cast<void*>(index));
    }
    gluTessEndContour(tess);
  }
  gluTessEndPolygon(tess);
  gluDeleteTess(tess);
  if (cap.failed) throw std::runtime_error("the tessellator could not fill a letter");
  return cap;
}

void addCaps(GlyphSolid& mesh, const CapTessellation& cap, float halfDepth) {
  const uint32_t front = static_cast<uint32_t>(mesh.points.size());
  for (const auto& c : cap.coordinates) {
    mesh.points.push_back({static_cast<float>(c[0]), static_cast<float>(c[1]), halfDepth});
  }
  const uint32_t back = static_cast<uint32_t>(mesh.points.size());
  for (const auto& c : cap.coordinates) {
    mesh.points.push_back({static_cast<float>(c[0]), static_cast<float>(c[1]), -halfDepth});
  }
  for (size_t i = 0; i + 2 < cap.corners.size(); i += 3) {
    uint32_t a = cap.corners[i], b = cap.corners[i + 1], c = cap.corners[i + 2];
    const auto& pa = cap.coordinates[a];
    const auto& pb = cap.coordinates[b];
    const auto& pc = cap.coordinates[c];
    const double area = (pb[0] - pa[0]) * (pc[1] - pa[1]) - (pc[0] - pa[0]) * (pb[1] - pa[1]);
    if (std::fabs(area) < 1e-10) continue;  // slivers of collinear points cover nothing
    if (area < 0) std::swap(b, c);
    addTriangle(mesh, front + a, front + b, front + c);
    addTriangle(mesh, back + a, back + c, back + b);
  }
}

bool isSharpCorner(OutlinePoint before, OutlinePoint at, OutlinePoint after) {
  const double ix = at.x - before.x, iy = at.y - before.y;
  const double ox = after.x - at.x, oy = after.y - at.y;
  return (ix * ox + iy * oy) < kSharpCornerCosine * std::hypot(ix, iy) * std::hypot(ox, oy);
}

void addWalls(GlyphSolid& mesh, const std::vector<OutlineContour>& contours, float halfDepth) {
  for (const OutlineContour& contour : contours) {
    const size_t n = contour.size();
    const bool outwardLeft = filledOnRight(contours, contour);
    // Per point: the front/back vertex pair leaving it and the pair arriving.
    std::vector<uint32_t> leaving(n), arriving(n);
    for (size_t i = 0; i < n; ++i) {
      const OutlinePoint p = contour[i];
      auto addPair = [&] {
        const uint32_t index = static_cast<uint32_t>(mesh.points.size());
        mesh.points.push_back({static_cast<float>(p.x), static_cast<float>(p.y), halfDepth});
        mesh.points.push_back({static_cast<float>(p.x), static_cast<float>(p.y), -halfDepth});
        return index;
      };
      leaving[i] = addPair();
      arriving[i] = isSharpCorner(contour[(i + n - 1) % n], p, contour[(i + 1) % n]) ? addPair()
                                                                                      : leaving[i];
    }
    for (size_t i = 0; i < n; ++i) {
      const uint32_t a = leaving[i], b = arriving[(i + 1) % n];
      if (outwardLeft) {
        addQuad(mesh, a, b, b + 1, a + 1);
      } else {
        addQuad(mesh, a, a + 1, b + 1, b);
      }
    }
  }
}

}  // namespace

std::vector<OutlineContour> glyphContours(FT_Face face, FT_UInt glyphIndex, double scale,
                                          const OutlineDetail& detail) {
  if (FT_Load_Glyph(face, glyphIndex, FT_LOAD_NO_SCALE) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    return {};
  }
  OutlineBuilder builder{scale, detail, {}, {0, 0}};
  FT_Outline_Funcs funcs{moveTo, lineTo, conicTo, cubicTo, 0, 0};
  if (FT_Outline_Decompose(&face->glyph->outline, &funcs, &builder) != 0) return {};
  cleanContours(builder.contours);
  return builder.contours;
}

GlyphSolid extrudeContours(const std::vector<OutlineContour>& contours, float depth) {
  GlyphSolid mesh;
  if (contours.empty()) return mesh;
  addCaps(mesh, tessellateCap(contours), depth / 2);
  addWalls(mesh, contours, depth / 2);
  return mesh;
}
