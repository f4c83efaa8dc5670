// velmira-tool: the authoring command line. One binary, one subcommand per
// file; this file only dispatches.
#include <cstdio>
#include <cstring>

#include "tools/tool_commands.h"

namespace {

struct ToolCommand {
  const char* name;
  int (*run)(int argc, char** argv);
  const char* summary;
};

const ToolCommand kCommands[] = {
    {"cat", runToolCat, "print data files as the engine finds them"},
    {"config", runToolConfig, "print the configuration the player would use"},
    {"pack", runToolPack, "build or list a data pack"},
    {"render", runToolRender, "render frames of the show offline into PNG files"},
    {"lint", runToolLint, "load the show as the player does and list its effects"},
    {"programs", runToolPrograms, "compile the GPU program library and report each program"},
    {"spectrum", runToolSpectrum, "print the music spectrum at a show time"},
    {"eval", runToolEval, "compile and run an effect definition, print its variables"},
    {"mesh", runToolMesh, "load an LWO2 mesh and print its vertices and triangles"},
    {"image", runToolImage, "decode an image as the engine does and write it as PNG"},
    {"material", runToolMaterial, "print every field of a material file"},
    {"skeleton", runToolSkeleton, "print a definition declaring every parameter a kind reads"},
};

void printUsage(FILE* out) {
  fprintf(out,
          "usage: velmira-tool COMMAND [ARGS...]\n"
          "       velmira-tool COMMAND --help\n\ncommands:\n");
  for (const ToolCommand& command : kCommands)
    fprintf(out, "  %-10s %s\n", command.name, command.summary);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    printUsage(stderr);
    return 2;
  }
  if (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h")) {
    printUsage(stdout);
    return 0;
  }
  if (!strcmp(argv[1], "--version")) {
    printf("velmira-tool %s\n", VELMIRA_VERSION);
    return 0;
  }
  for (const ToolCommand& command : kCommands)
    if (!strcmp(argv[1], command.name)) return command.run(argc - 1, argv + 1);
  fprintf(stderr, "velmira-tool: unknown command '%s'\n", argv[1]);
  printUsage(stderr);
  return 2;
}
