#include "tools/showgen/text_raster.h"

#include <algorithm>
#include <stdexcept>

#include "tools/showgen/fonts.h"

namespace showgen {
namespace {

void loadRendered(FT_Face face, char c) {
  if (FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER) != 0) {
    throw std::runtime_error(std::string("cannot render character ") + c);
  }
}

void boxBlurRows(const std::vector<float>& in, std::vector<float>& out, int width, int height,
                 int radius, bool alongRows) {
  const int lines = alongRows ? height : width;
  const int length = alongRows ? width : height;
  auto index = [&](int line, int i) { return alongRows ? size_t(line) * width + i : size_t(i) * width + line; };
  for (int line = 0; line < lines; ++line) {
    float sum = 0;
    for (int i = -radius; i <= radius; ++i) sum += in[index(line, std::clamp(i, 0, length - 1))];
    for (int i = 0; i < length; ++i) {
      out[index(line, i)] = sum / (2 * radius + 1);
      sum += in[index(line, std::min(i + radius + 1, length - 1))];
      sum -= in[index(line, std::max(i - radius, 0))];
    }
  }
}

}  // namespace

void drawText(CoverageMap& map, const std::string& fontPath, const std::string& text, int pixelHeight,
              int centreX, int baseline, int tracking) {
  const FontFace font(fontPath);
  FT_Face face = font.face();
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight));
  int width = 0;
  for (char c : text) {
    loadRendered(face, c);
    width += static_cast<int>(face->glyph->advance.x >> 6) + tracking;
  }
  int penX = centreX - (width - tracking) / 2;
  for (char c : text) {
    loadRendered(face, c);
    const FT_GlyphSlot glyph = face->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      for (unsigned column = 0; column < bitmap.width; ++column) {
        const int x = penX + glyph->bitmap_left + static_cast<int>(column);
        const int y = baseline - glyph->bitmap_top + static_cast<int>(row);
        if (x < 0 || y < 0 || x >= map.width || y >= map.height) continue;
        const float value = bitmap.buffer[row * bitmap.pitch + column] / 255.0f;
        map.at(x, y) = std::max(map.at(x, y), value);
      }
    }
    penX += static_cast<int>(glyph->advance.x >> 6) + tracking;
  }
}

CoverageMap blurred(const CoverageMap& map, int radius) {
  CoverageMap result = map;
  std::vector<float> scratch(result.values.size());
  for (int pass = 0; pass < 3; ++pass) {
    boxBlurRows(result.values, scratch, map.width, map.height, radius, true);
    boxBlurRows(scratch, result.values, map.width, map.height, radius, false);
  }
  return result;
}

}  // namespace showgen
