// velmira-tool mesh: loads an LWO2 mesh as the engine does and prints it.
#include <cstdio>
#include <vector>

#include "gfx/mesh_lwo2.h"
#include "pack/pack.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool mesh FILE [--vertices]\n\n"
    "Loads the LWO2 mesh FILE as the engine does (default texture projection) and\n"
    "prints \"vertices <V> triangles <T>\". With --vertices, then one line per vertex\n"
    "\"v <x> <y> <z> n <nx> <ny> <nz> uv <u> <v>\" (normals as computed at load\n"
    "time) and one line per triangle \"t <a> <b> <c>\". A file that is no LWO2 form\n"
    "is refused (status 1); one cut short is printed as far as it goes, named on\n"
    "stderr, and ends with status 1.\n";

const ToolOption kOptions[] = {{"--vertices", OptionValue::None}};

void printVertex(const MeshVertex& v) {
  printf("v %.6g %.6g %.6g n %.6g %.6g %.6g uv %.6g %.6g\n", v.position.x, v.position.y,
         v.position.z, v.normal.x, v.normal.y, v.normal.z, v.uv[0].x, v.uv[0].y);
}

}  // namespace

int runToolMesh(int argc, char** argv) {
  const ToolArguments arguments = parseToolArguments(argc, argv, kOptions);
  if (arguments.help) return printUsage(kUsage);
  if (!arguments.error.empty()) return usageError("mesh", arguments.error, kUsage);
  if (arguments.operands.size() != 1) return usageError("mesh", "give exactly one FILE", kUsage);
  const char* file = arguments.operands.front().c_str();
  std::vector<uint8_t> bytes;
  if (loadFile(file, bytes) == kLoadMissing) {
    fprintf(stderr, "velmira-tool mesh: %s not found\n", file);
    return 1;
  }
  const Lwo2Shape shape = lwo2Shape(bytes);
  if (shape == Lwo2Shape::NotLwo2) {
    fprintf(stderr, "velmira-tool mesh: %s is not an LWO2 mesh\n", file);
    return 1;
  }
  if (shape == Lwo2Shape::CutShort)
    fprintf(stderr, "velmira-tool mesh: %s is cut short; printing the part that was read\n", file);
  const Mesh mesh = parseLwo2(bytes);
  printf("vertices %d triangles %d\n", mesh.vertexCount(), mesh.triangleCount());
  if (arguments.has("--vertices")) {
    for (const MeshVertex& vertex : mesh.vertices) printVertex(vertex);
    for (const MeshTriangle& t : mesh.triangles) printf("t %d %d %d\n", t.a, t.b, t.c);
  }
  return shape == Lwo2Shape::Whole ? 0 : 1;
}
