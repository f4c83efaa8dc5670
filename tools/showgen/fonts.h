// The Debian fonts the show's letters and pictures are made from, and a
// FreeType face opened from one of them.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

namespace showgen {

// Bold sans (fonts-dejavu-core) for the first letter set and the titles.
extern const char* const kSansBoldFont;
// Bold italic serif (fonts-liberation) for the contrasting second set.
extern const char* const kSerifBoldItalicFont;

// Owns a FreeType library and one face; throws std::runtime_error when the
// font file cannot be opened.
class FontFace {
 public:
  explicit FontFace(const std::string& path);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  FT_Face face() const { return face_; }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

}  // namespace showgen
