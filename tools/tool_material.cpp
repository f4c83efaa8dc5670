// velmira-tool material: reads a material file as the engine does and prints
// every field. Textures are named, not loaded.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "gfx/material.h"
#include "pack/pack.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool material FILE\n\n"
    "Reads the material FILE as the engine does and prints every field, one\n"
    "\"<key> <values...>\" line per field in the file's key order; repeat modes as\n"
    "GL_CLAMP, GL_REPEAT or GL_MIRRORED_REPEAT, texture names as stored (the bump\n"
    "map's with \"Bump\" appended). A file that is not text or sets no material key\n"
    "is refused (status 1).\n";

// Why the bytes are no material file, or empty when they may be one.
std::string notMaterialReason(const std::vector<uint8_t>& bytes, const MaterialFile& file) {
  if (std::find(bytes.begin(), bytes.end(), uint8_t(0)) != bytes.end()) return "is not a text file";
  if (file.textures.empty() && describeMaterial(file.material) == describeMaterial(Material{}))
    return "sets no material key";
  return "";
}

}  // namespace

int runToolMaterial(int argc, char** argv) {
  const ToolArguments arguments = parseToolArguments(argc, argv, {});
  if (arguments.help) return printUsage(kUsage);
  if (!arguments.error.empty()) return usageError("material", arguments.error, kUsage);
  if (arguments.operands.size() != 1) return usageError("material", "give exactly one FILE", kUsage);
  const char* path = arguments.operands.front().c_str();
  std::vector<uint8_t> bytes;
  if (loadFile(path, bytes) == kLoadMissing) {
    fprintf(stderr, "velmira-tool material: %s not found\n", path);
    return 1;
  }
  const MaterialFile file = parseMaterial(bytes);
  const std::string reason = notMaterialReason(bytes, file);
  if (!reason.empty()) {
    fprintf(stderr, "velmira-tool material: %s %s\n", path, reason.c_str());
    return 1;
  }
  for (const std::string& line : describeMaterial(file.material)) printf("%s\n", line.c_str());
  return 0;
}
