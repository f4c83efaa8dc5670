// velmira-tool mesh: loads an LWO2 mesh as the engine does and prints it.
#include <cstdio>
#include <cstring>
#include <vector>

#include "gfx/mesh_lwo2.h"
#include "pack/pack.h"
#include "tools/tool_commands.h"

namespace {

void printVertex(const MeshVertex& v) {
  printf("v %.6g %.6g %.6g n %.6g %.6g %.6g uv %.6g %.6g\n", v.position.x, v.position.y,
         v.position.z, v.normal.x, v.normal.y, v.normal.z, v.uv[0].x, v.uv[0].y);
}

}  // namespace

int runToolMesh(int argc, char** argv) {
  const bool help = argc >= 2 && !strcmp(argv[1], "--help");
  const bool vertices = argc == 3 && !strcmp(argv[2], "--vertices");
  if (help || argc < 2 || (argc == 3 && !vertices) || argc > 3) {
    printf(
        "usage: velmira-tool mesh FILE [--vertices]\n\n"
        "Loads the LWO2 mesh FILE as the engine does (default texture projection) and\n"
        "prints \"vertices <V> triangles <T>\". With --vertices, then one line per vertex\n"
        "\"v <x> <y> <z> n <nx> <ny> <nz> uv <u> <v>\" (normals as computed at load\n"
        "time) and one line per triangle \"t <a> <b> <c>\".\n");
    return help ? 0 : 2;
  }
  std::vector<uint8_t> bytes;
  if (loadFile(argv[1], bytes) == kLoadMissing) {
    fprintf(stderr, "velmira-tool mesh: %s not found\n", argv[1]);
    return 1;
  }
  const Mesh mesh = parseLwo2(bytes);
  printf("vertices %d triangles %d\n", mesh.vertexCount(), mesh.triangleCount());
  if (!vertices) return 0;
  for (const MeshVertex& vertex : mesh.vertices) printVertex(vertex);
  for (const MeshTriangle& t : mesh.triangles) printf("t %d %d %d\n", t.a, t.b, t.c);
  return 0;
}
