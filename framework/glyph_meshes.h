// The two sets of letter meshes the text effect writes with, one mesh per
// printable character code 33..126, loaded once before the timeline.
#pragma once

#include <array>

#include "gfx/mesh.h"

inline constexpr int kFirstGlyph = 33;
inline constexpr int kLastGlyph = 126;

struct GlyphMeshes {
  std::array<Mesh, kLastGlyph + 1> sans;     // "quarno/meshes/123and/font_NNN.lwo"
  std::array<Mesh, kLastGlyph + 1> display;  // "quarno/meshes/font/porscha_NNN.lwo"
};

extern GlyphMeshes glyphMeshes;

void loadGlyphMeshes();
