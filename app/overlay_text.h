// The overlay's text printer without GL: how a text breaks into lines. A
// line ends as soon as its width (the sum of the glyphs' cell advances)
// exceeds the wrap width; the character that made it too wide stays on it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Cell advances of character codes 0-255, in glyph units (the em square).
using GlyphAdvances = std::array<float, 256>;

// The printer takes at most this many characters of a text.
inline constexpr size_t kOverlayTextLimit = 255;

struct TextPrinter {
  bool wrapText = false;
  float wrapWidth = 25.0f;
  float lineHeight = 1.0f;
};

// The lines printed for `text`; with wrapping off, the whole text as one.
// The number of line breaks is the count less one.
std::vector<std::string> overlayTextLines(std::string_view text, const GlyphAdvances& advances,
                                          const TextPrinter& printer);
