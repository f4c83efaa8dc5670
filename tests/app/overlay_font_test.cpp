#include "app/overlay_font.h"

#include <gtest/gtest.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <vector>

#include "gfx/gl.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/frame_target.h"
#include "support/gl_context.h"

namespace {

// The advance FreeType gives for a character, in em units.
float freetypeAdvance(FT_ULong character) {
  FT_Library library;
  FT_Face face;
  EXPECT_EQ(FT_Init_FreeType(&library), 0);
  EXPECT_EQ(FT_New_Face(library, kOverlayFontPath, 0, &face), 0);
  FT_Load_Char(face, character, FT_LOAD_NO_SCALE);
  const float advance = float(face->glyph->advance.x) / float(face->units_per_EM);
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return advance;
}

TEST(OverlayFont, AdvancesAreTheFontsInEmUnits) {
  const GlyphAdvances advances = overlayGlyphAdvances();
  for (const char c : std::string("AWil 0.%")) {
    EXPECT_FLOAT_EQ(advances[static_cast<unsigned char>(c)], freetypeAdvance(static_cast<unsigned char>(c)))
        << c;
  }
  EXPECT_FLOAT_EQ(advances[0xE4], freetypeAdvance(0xE4));    // a with diaeresis
  EXPECT_FLOAT_EQ(advances[0x80], freetypeAdvance(0x20AC));  // the euro sign of code page 1252
  EXPECT_GT(advances['W'], advances['i']);
  EXPECT_FLOAT_EQ(advances[255], 0.0f);  // only codes 0-254 have glyphs
}

TEST(OverlayText, WrapsAfterTheCharacterThatPassesTheWidth) {
  GlyphAdvances advances{};
  advances.fill(1.0f);
  TextPrinter printer;
  printer.wrapText = true;
  printer.wrapWidth = 3.0f;
  // The fourth character takes the width past 3 and ends the line.
  EXPECT_EQ(overlayTextLines("abcdefghij", advances, printer),
            (std::vector<std::string>{"abcd", "efgh", "ij"}));
  EXPECT_EQ(overlayTextLines("abcd", advances, printer), (std::vector<std::string>{"abcd", ""}));
  EXPECT_EQ(overlayTextLines("", advances, printer), (std::vector<std::string>{""}));
  printer.wrapText = false;
  EXPECT_EQ(overlayTextLines("abcdefghij", advances, printer).size(), 1u);
  EXPECT_EQ(overlayTextLines(std::string(400, 'x'), advances, printer)[0].size(), kOverlayTextLimit);
}

TEST(OverlayText, CommentLineOfTheRealFontWrapsAt25Ems) {
  const GlyphAdvances advances = overlayGlyphAdvances();
  TextPrinter printer;
  printer.wrapText = true;
  const std::string text = "0: " + std::string(60, 'W');
  const std::vector<std::string> lines = overlayTextLines(text, advances, printer);
  ASSERT_GE(lines.size(), 2u);
  float width = 0;
  for (const char c : lines[0]) width += advances[static_cast<unsigned char>(c)];
  EXPECT_GT(width, 25.0f);
  EXPECT_LE(width - advances['W'], 25.0f);
}

TEST(OverlayFont, PrintedTextCoversPixelsInItsColour) {
  ASSERT_TRUE(openTestContext()) << "no GL context (run under xvfb-run)";
  OverlayFont font = createOverlayFont();
  ASSERT_NE(font.listBase, 0u);
  // Drawing tests before may have left programs, textures or a target bound.
  unbindGpuPrograms();
  bindOffscreenFramebuffer(0);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glViewport(0, 0, 64, 64);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(-0.9f, -0.5f, 0);
  glScalef(0.8f, 0.8f, 1);
  glColor4f(1, 0.5f, 0, 1);
  TextPrinter printer;
  EXPECT_EQ(printOverlayText(font, "HH", printer), 0);
  std::vector<uint8_t> pixels(64 * 64 * 4);
  glReadPixels(0, 0, 64, 64, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  int lit = 0;
  for (size_t i = 0; i < pixels.size(); i += 4) lit += pixels[i] == 255 && pixels[i + 1] > 100;
  EXPECT_GT(lit, 100);
  EXPECT_LT(lit, 64 * 64 / 2);
  deleteOverlayFont(font);
}

}  // namespace
