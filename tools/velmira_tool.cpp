// velmira-tool: the authoring command line. One binary, one subcommand per
// file; this file only dispatches.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/tool_process.h"
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
    {"render", runToolRender, "render frames of the show offline into PNG files or a video"},
    {"join", runToolJoin, "join the video pieces of a segmented render under the soundtrack"},
    {"lint", runToolLint, "check a show: compile, draw each effect once, find missing files"},
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
          "       velmira-tool COMMAND --help   (or: velmira-tool help COMMAND)\n\n"
          "Usage and errors go to stderr; wrong usage exits with status 2. The show\n"
          "commands take --show DIR and otherwise use the current folder when it holds\n"
          "a show (demo.adt on the disk, or a datapack.dat), else the installed show,\n"
          "else the built show. A file named on the command line is read from that path\n"
          "when it exists there.\n\n"
          "commands:\n");
  for (const ToolCommand& command : kCommands)
    fprintf(out, "  %-10s %s\n", command.name, command.summary);
}

const ToolCommand* findCommand(const char* name) {
  for (const ToolCommand& command : kCommands)
    if (!strcmp(name, command.name)) return &command;
  return nullptr;
}

int unknownCommand(const char* name) {
  fprintf(stderr, "velmira-tool: unknown command '%s'\n\n", name);
  printUsage(stderr);
  return 2;
}

// "help" alone is the tool's own --help; "help COMMAND" is COMMAND --help.
int runHelp(int argc, char** argv) {
  if (argc == 1) {
    printUsage(stdout);
    return 0;
  }
  if (argc > 2) {
    fputs("velmira-tool help: give one command name\n\n", stderr);
    printUsage(stderr);
    return 2;
  }
  const ToolCommand* command = findCommand(argv[1]);
  if (!command) return unknownCommand(argv[1]);
  char helpOption[] = "--help";
  char* helpArguments[] = {argv[1], helpOption, nullptr};
  return command->run(2, helpArguments);
}

// Output that could not be written (a full disk, a closed pipe) is a failure
// of the command, however it ended.
int withOutputChecked(int status) {
  const bool flushed = fflush(stdout) == 0;
  const int error = errno;
  if (flushed && !ferror(stdout)) return status;
  fprintf(stderr, "velmira-tool: cannot write the output: %s\n",
          flushed ? "a write failed" : strerror(error));
  return status == 0 ? 1 : status;
}

int runCommand(int argc, char** argv) {
  if (argc < 2) {
    printUsage(stderr);
    return 2;
  }
  if (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h")) {
    printUsage(stdout);
    return 0;
  }
  if (!strcmp(argv[1], "help")) return runHelp(argc - 1, argv + 1);
  if (!strcmp(argv[1], "--version")) {
    printf("velmira-tool %s\n", VELMIRA_VERSION);
    return 0;
  }
  if (const ToolCommand* command = findCommand(argv[1])) return command->run(argc - 1, argv + 1);
  return unknownCommand(argv[1]);
}

}  // namespace

int main(int argc, char** argv) {
  setUpToolProcess();
  try {
    return withOutputChecked(runCommand(argc, argv));
  } catch (const std::bad_alloc&) {
    fputs("velmira-tool: not enough memory for this command\n", stderr);
    return 1;
  }
}
