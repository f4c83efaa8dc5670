#include "app/overlay_text.h"

std::vector<std::string> overlayTextLines(std::string_view text, const GlyphAdvances& advances,
                                          const TextPrinter& printer) {
  text = text.substr(0, kOverlayTextLimit);
  if (!printer.wrapText) return {std::string(text)};
  std::vector<std::string> lines;
  std::string line;
  float width = 0.0f;
  for (const char c : text) {
    line.push_back(c);
    width += advances[static_cast<unsigned char>(c)];
    if (width > printer.wrapWidth) {
      lines.push_back(std::move(line));
      line.clear();
      width = 0.0f;
    }
  }
  lines.push_back(std::move(line));
  return lines;
}
