// Anti-aliased text rendered with FreeType into a coverage map, for the
// pictures that carry words (title, credits, slides, setup picture).
#pragma once

#include <string>
#include <vector>

namespace showgen {

struct CoverageMap {
  int width = 0, height = 0;
  std::vector<float> values;  // 0..1, rows top to bottom

  CoverageMap(int w, int h) : width(w), height(h), values(size_t(w) * h, 0.0f) {}
  float at(int x, int y) const { return values[size_t(y) * width + x]; }
  float& at(int x, int y) { return values[size_t(y) * width + x]; }
};

// Draws `text` in the font at `pixelHeight`, centred on column `centreX`, with
// its baseline on row `baseline`; `tracking` adds pixels between letters.
void drawText(CoverageMap& map, const std::string& fontPath, const std::string& text, int pixelHeight,
              int centreX, int baseline, int tracking = 0);

// Separable box blur repeated three times (close to a Gaussian).
CoverageMap blurred(const CoverageMap& map, int radius);

}  // namespace showgen
