// Extruded 3D letters for the text effect: every printable character 33-126
// of a font as a closed solid. FreeType outlines are flattened, the caps are
// triangulated with the GLU tessellator (non-zero winding), and side walls
// join the front cap (z = +depth/2) to the back cap. Cap height is 1 and the
// baseline lies at y = 0; x = 0 is the glyph's pen origin. Walls are smooth
// along curves and split at sharp corners.
#pragma once

#include <string>
#include <vector>

#include "tools/showgen/generated_file.h"
#include "tools/showgen/geometry.h"

namespace showgen {

constexpr int kFirstLetter = 33;
constexpr int kLastLetter = 126;
constexpr float kLetterDepth = 0.25f;

struct Point2 {
  double x, y;
};
using Contour = std::vector<Point2>;

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
