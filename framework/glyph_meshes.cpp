#include "framework/glyph_meshes.h"

#include <cstdio>

#include "gfx/mesh_lwo2.h"

GlyphMeshes glyphMeshes;

namespace {

void loadSet(std::array<Mesh, kLastGlyph + 1>& set, const char* prefix) {
  for (int c = kFirstGlyph; c <= kLastGlyph; ++c) {
    char name[128];
    snprintf(name, sizeof name, c < 100 ? "%s0%d.lwo" : "%s%d.lwo", prefix, c);
    set[c] = loadMesh(name);
  }
}

}  // namespace

void loadGlyphMeshes() {
  loadSet(glyphMeshes.sans, "quarno/meshes/123and/font_");
  loadSet(glyphMeshes.display, "quarno/meshes/font/porscha_");
}
