#include "app/overlay_font.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "gfx/gl.h"
#include "gfx/glyph_solid.h"

namespace {

// Windows-1252 codes 128-159 in Unicode; 0 where the code page has none.
constexpr uint16_t kCodePage1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

FT_ULong unicodeOf(int code) {
  if (code >= 128 && code < 160 && kCodePage1252High[code - 128] != 0)
    return kCodePage1252High[code - 128];
  return static_cast<FT_ULong>(code);
}

// A code without a glyph of its own gets the font's missing-glyph shape.
FT_UInt glyphIndexOf(FT_Face face, int code) { return FT_Get_Char_Index(face, unicodeOf(code)); }

struct Face {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  explicit Face(const char* path) {
    if (FT_Init_FreeType(&library) != 0) return;
    if (FT_New_Face(library, path, 0, &face) != 0) face = nullptr;
  }
  ~Face() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
  Face(const Face&) = delete;
  Face& operator=(const Face&) = delete;
};

float advanceOf(FT_Face face, FT_UInt index) {
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) != 0) return 0.0f;
  return float(face->glyph->advance.x) / float(face->units_per_EM);
}

void emitPolygon(const GlyphSolid& solid, const SolidPolygon& polygon) {
  const auto& a = solid.points[polygon.corners[0]];
  const auto& b = solid.points[polygon.corners[1]];
  const auto& c = solid.points[polygon.corners[2]];
  const float ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
  const float vx = c[0] - a[0], vy = c[1] - a[1], vz = c[2] - a[2];
  float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
  const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
  if (length > 0) nx /= length, ny /= length, nz /= length;
  glNormal3f(nx, ny, nz);
  const int triangles = polygon.cornerCount == 4 ? 2 : 1;
  for (int t = 0; t < triangles; ++t) {
    const uint32_t corners[3] = {polygon.corners[0], polygon.corners[1 + t],
                                 polygon.corners[2 + t]};
    // The solid is centred on z = 0; the glyph's front lies at z = 0.
    for (uint32_t corner : corners) {
      const auto& p = solid.points[corner];
      glVertex3f(p[0], p[1], p[2] - kOverlayGlyphDepth / 2);
    }
  }
}

void compileGlyph(unsigned list, const GlyphSolid& solid, float advance) {
  glNewList(list, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  for (const SolidPolygon& polygon : solid.polygons) emitPolygon(solid, polygon);
  glEnd();
  glTranslatef(advance, 0, 0);
  glEndList();
}

void printLine(const OverlayFont& font, const std::string& line, int lineNumber, float lineHeight) {
  glPushMatrix();
  glTranslatef(0, -float(lineNumber) * lineHeight, 0);
  glPushAttrib(GL_LIST_BIT);
  glListBase(font.listBase);
  glCallLists(GLsizei(line.size()), GL_UNSIGNED_BYTE, line.data());
  glPopAttrib();
  glPopMatrix();
}

}  // namespace

GlyphAdvances overlayGlyphAdvances(const char* fontPath) {
  GlyphAdvances advances{};
  const Face font(fontPath);
  if (!font.face) return advances;
  for (int code = 0; code < kOverlayGlyphCount; ++code)
    advances[code] = advanceOf(font.face, glyphIndexOf(font.face, code));
  return advances;
}

OverlayFont createOverlayFont(const char* fontPath) {
  OverlayFont font;
  const Face face(fontPath);
  if (!face.face) {
    fprintf(stderr, "The overlay font %s cannot be read (install fonts-liberation).\n", fontPath);
    return font;
  }
  font.listBase = glGenLists(256);
  const double scale = 1.0 / double(face.face->units_per_EM);
  // Curves stay within half a pixel of a 12-pixel font of the true outline:
  // the overlay's text is small, and every triangle is drawn every frame.
  OutlineDetail detail;
  detail.maxDeviation = 0.5 / 12.0;
  for (int code = 0; code < kOverlayGlyphCount; ++code) {
    const FT_UInt index = glyphIndexOf(face.face, code);
    font.advances[code] = advanceOf(face.face, index);
    GlyphSolid solid;
    try {
      solid = extrudeContours(glyphContours(face.face, index, scale, detail), kOverlayGlyphDepth);
    } catch (const std::runtime_error&) {
      // A glyph the tessellator cannot fill prints as a blank of its width.
    }
    compileGlyph(font.listBase + unsigned(code), solid, font.advances[code]);
  }
  return font;
}

void deleteOverlayFont(OverlayFont& font) {
  if (font.listBase) glDeleteLists(font.listBase, 256);
  font.listBase = 0;
}

int printOverlayText(const OverlayFont& font, std::string_view text, const TextPrinter& printer) {
  const std::vector<std::string> lines = overlayTextLines(text, font.advances, printer);
  if (!font.listBase) return int(lines.size()) - 1;
  if (!printer.wrapText) {
    glPushAttrib(GL_LIST_BIT);
    glListBase(font.listBase);
    glCallLists(GLsizei(lines[0].size()), GL_UNSIGNED_BYTE, lines[0].data());
    glPopAttrib();
    return 0;
  }
  for (size_t n = 0; n < lines.size(); ++n) printLine(font, lines[n], int(n), printer.lineHeight);
  return int(lines.size()) - 1;
}
