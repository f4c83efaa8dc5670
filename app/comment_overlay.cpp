#include "app/comment_overlay.h"

#include "gfx/gl.h"

void drawCommentLines(const OverlayFont& font, const std::vector<OverlayLine>& lines) {
  TextPrinter printer;
  printer.wrapText = true;
  printer.wrapWidth = 25.0f;
  printer.lineHeight = 1.0f;
  // Seen face on, only the glyphs' front caps can cover pixels: the back
  // caps and the walls are skipped at no change to the picture.
  glPushAttrib(GL_POLYGON_BIT);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glFrontFace(GL_CCW);
  int lineOffset = 0;
  for (size_t j = 0; j < lines.size(); ++j) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glTranslatef(-0.99f, 0.825f - 0.06f * float(lineOffset + int(j)), 0.0f);
    glScalef(0.06f, 0.06f, 1.0f);
    const float grey = lines[j].highlighted ? 1.0f : 0.75f;
    glColor4f(grey, grey, grey, 1.0f);
    lineOffset += printOverlayText(font, lines[j].text, printer);
  }
  glPopAttrib();
}
