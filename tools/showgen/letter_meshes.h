// Extruded 3D letters for the text effect: every printable character 33-126
// of a font as a closed solid, made by the engine's glyph solids
// (gfx/glyph_solid.h). Cap height is 1 and the baseline lies at y = 0; x = 0
// is the glyph's pen origin.
#pragma once

#include <string>
#include <vector>

#include "gfx/glyph_solid.h"
#include "tools/showgen/generated_file.h"
#include "tools/showgen/geometry.h"

namespace showgen {

constexpr int kFirstLetter = 33;
constexpr int kLastLetter = 126;
constexpr float kLetterDepth = 0.25f;

using Point2 = OutlinePoint;
using Contour = OutlineContour;

// Flattened outline of one character in cap-height units.
std::vector<Contour> letterOutline(const std::string& fontPath, int code);
PolyMesh extrudeOutline(const std::vector<Contour>& contours, float depth);

// The file name the engine forms for character `code` after `prefix`:
// three digits below 100 ("font_033.lwo"), else the plain number.
std::string letterFileName(const std::string& prefix, int code);

// "quarno/meshes/123and/font_033.lwo" ... "font_126.lwo" (bold sans) and
// "quarno/meshes/font/porscha_033.lwo" ... "porscha_126.lwo" (bold italic serif).
GeneratedFiles generateLetterMeshes();

}  // namespace showgen
