#include "tools/showgen/letter_meshes.h"

#include "tools/showgen/fonts.h"
#include FT_OUTLINE_H

#include <cstdio>
#include <stdexcept>

#include "tools/showgen/lwo2_writer.h"

namespace showgen {
namespace {

void loadGlyph(FT_Face face, int code) {
  const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
  if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    throw std::runtime_error("font has no outline for character " + std::to_string(code));
  }
}

}  // namespace

std::vector<Contour> letterOutline(const std::string& fontPath, int code) {
  const FontFace font(fontPath);
  loadGlyph(font.face(), 'H');
  FT_BBox box;
  FT_Outline_Get_CBox(&font.face()->glyph->outline, &box);
  loadGlyph(font.face(), code);
  const FT_UInt index = FT_Get_Char_Index(font.face(), static_cast<FT_ULong>(code));
  std::vector<Contour> contours =
      glyphContours(font.face(), index, 1.0 / static_cast<double>(box.yMax));
  if (contours.empty()) {
    throw std::runtime_error("cannot read the outline of character " + std::to_string(code));
  }
  return contours;
}

PolyMesh extrudeOutline(const std::vector<Contour>& contours, float depth) {
  const GlyphSolid solid = extrudeContours(contours, depth);
  PolyMesh mesh;
  for (const auto& p : solid.points) mesh.points.push_back({p[0], p[1], p[2]});
  for (const SolidPolygon& polygon : solid.polygons) {
    mesh.polygons.push_back({polygon.cornerCount, polygon.corners});
  }
  return mesh;
}

std::string letterFileName(const std::string& prefix, int code) {
  char name[32];
  std::snprintf(name, sizeof name, code < 100 ? "0%d.lwo" : "%d.lwo", code);
  return prefix + name;
}

GeneratedFiles generateLetterMeshes() {
  const struct {
    const char* font;
    const char* prefix;
  } sets[] = {{kSansBoldFont, "quarno/meshes/123and/font_"},
              {kSerifBoldItalicFont, "quarno/meshes/font/porscha_"}};
  GeneratedFiles files;
  for (const auto& set : sets) {
    for (int code = kFirstLetter; code <= kLastLetter; ++code) {
      files.push_back({letterFileName(set.prefix, code),
                       writeLwo2(extrudeOutline(letterOutline(set.font, code), kLetterDepth))});
    }
  }
  return files;
}

}  // namespace showgen
