// velmira-tool material: reads a material file as the engine does and prints
// every field. Textures are named, not loaded.
#include <cstdio>
#include <cstring>
#include <vector>

#include "gfx/material.h"
#include "pack/pack.h"
#include "tools/tool_commands.h"

int runToolMaterial(int argc, char** argv) {
  if (argc != 2 || !strcmp(argv[1], "--help")) {
    printf(
        "usage: velmira-tool material FILE\n\n"
        "Reads the material FILE as the engine does and prints every field, one\n"
        "\"<key> <values...>\" line per field in the file's key order; repeat modes as\n"
        "GL_CLAMP, GL_REPEAT or GL_MIRRORED_REPEAT, texture names as stored (the bump\n"
        "map's with \"Bump\" appended).\n");
    return argc == 2 ? 0 : 2;
  }
  std::vector<uint8_t> bytes;
  if (loadFile(argv[1], bytes) == kLoadMissing) {
    fprintf(stderr, "velmira-tool material: %s not found\n", argv[1]);
    return 1;
  }
  for (const std::string& line : describeMaterial(parseMaterial(bytes).material))
    printf("%s\n", line.c_str());
  return 0;
}
