#include "app/error_overlay.h"

#include "gfx/gl.h"

void drawErrorOverlay(const OverlayFont& font, std::string_view text) {
  TextPrinter printer;
  printer.wrapText = true;
  printer.wrapWidth = 38.0f;
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glColor4f(1.0f, 0.35f, 0.3f, 1.0f);
  int line = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view piece = text.substr(0, end);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(-0.99f, -0.2f - 0.05f * float(line), 0.0f);
    glScalef(0.05f, 0.05f, 1.0f);
    line += 1 + printOverlayText(font, piece, printer);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  glPopAttrib();
}
