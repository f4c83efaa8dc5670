// The overlay font: 256 display lists of solid glyphs (codes 0-254 in the
// Windows-1252 code page, extruded 0.2 deep behind z = 0, one em high) from
// Liberation Sans Bold, each ending with a move by the glyph's cell advance,
// so that calling the lists of a text prints it. Needs a current GL context.
#pragma once

#include <string_view>

#include "app/overlay_text.h"

inline constexpr const char* kOverlayFontPath =
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
inline constexpr int kOverlayGlyphCount = 255;
inline constexpr float kOverlayGlyphDepth = 0.2f;

struct OverlayFont {
  unsigned listBase = 0;  // 0: no font (the lists could not be made)
  GlyphAdvances advances{};
};

// The advances alone, without GL (empty when the font cannot be read).
GlyphAdvances overlayGlyphAdvances(const char* fontPath = kOverlayFontPath);

// A missing font file gives a message on stderr and a font that prints nothing.
OverlayFont createOverlayFont(const char* fontPath = kOverlayFontPath);
void deleteOverlayFont(OverlayFont& font);

// Prints at the current model-view position; returns the number of line
// breaks made.
int printOverlayText(const OverlayFont& font, std::string_view text, const TextPrinter& printer);
