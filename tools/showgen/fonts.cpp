#include "tools/showgen/fonts.h"

#include <stdexcept>

namespace showgen {

const char* const kSansBoldFont = VELMIRA_FONT_DIR "/dejavu/DejaVuSans-Bold.ttf";
const char* const kSerifBoldItalicFont = VELMIRA_FONT_DIR "/liberation/LiberationSerif-BoldItalic.ttf";

FontFace::FontFace(const std::string& path) {
  if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType did not start");
  if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) {
    FT_Done_FreeType(library_);
    throw std::runtime_error("cannot open font " + path +
                             " (install fonts-dejavu-core and fonts-liberation)");
  }
}

FontFace::~FontFace() {
  FT_Done_Face(face_);
  FT_Done_FreeType(library_);
}

}  // namespace showgen
