// Solid letters from font outlines: a FreeType glyph's outline is flattened
// into closed contours, its caps are filled with the GLU tessellator
// (non-zero winding) and side walls join the front cap to the back cap. The
// show generator's letter meshes and the player's overlay font are both made
// here. No GL context is needed.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cstdint>
#include <vector>

struct OutlinePoint {
  double x, y;
};
using OutlineContour = std::vector<OutlinePoint>;

struct OutlineDetail {
  double curveStep = 0.035;  // curves are cut into pieces of about this length
  int maxCurvePieces = 16;
  // When above 0: curves are cut only as finely as needed to stay within
  // this distance of the true outline (curveStep is then unused).
  double maxDeviation = 0;
};

// The outline of a glyph (by glyph index) loaded unscaled and multiplied by
// `scale`. Empty for a glyph without an outline (a blank). Repeated points
// and contours that enclose nothing are dropped.
std::vector<OutlineContour> glyphContours(FT_Face face, FT_UInt glyphIndex, double scale,
                                          const OutlineDetail& detail = {});

// A polygon of three or four corners, counter-clockwise seen from outside.
struct SolidPolygon {
  uint8_t cornerCount = 3;
  std::array<uint32_t, 4> corners{};
};

struct GlyphSolid {
  std::vector<std::array<float, 3>> points;
  std::vector<SolidPolygon> polygons;
};

// The contours extruded from z = +depth/2 (front cap) to z = -depth/2. Walls
// are smooth along curves and split at sharp corners. Throws
// std::runtime_error when the tessellator cannot fill the outline.
GlyphSolid extrudeContours(const std::vector<OutlineContour>& contours, float depth);
