// velmira-tool config: prints the configuration the player would use.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/configuration.h"
#include "app/presentation.h"
#include "tools/tool_commands.h"

int runToolConfig(int argc, char** argv) {
  if (argc > 1 && !strcmp(argv[1], "--help")) {
    printf(
        "usage: velmira-tool config [ARG...]\n\n"
        "Reads demo.adt and the configuration file in the current directory as the player\n"
        "does, applies the ARGs as the player's command line (-window, -fps), derives the\n"
        "render size and prints one 'key value' line per setting.\n");
    return 0;
  }
  std::string commandLine;
  for (int i = 1; i < argc; ++i) commandLine.append(i > 1 ? " " : "").append(argv[i]);
  EngineState engine;
  readConfiguration(engine);
  applyCommandLine(engine, commandLine);
  deriveRenderSize(engine);
  printf("width %d\nheight %d\nrenderWidth %d\nrenderHeight %d\n", engine.width, engine.height,
         renderWidth(), renderHeight());
  printf("fullscreen %d\nshowFps %d\nmusicEnabled %d\nshowDialog %d\n", engine.fullscreen,
         engine.showFps, engine.musicEnabled, engine.showDialog);
  printf("commentsEnabled %d\nrewindEnabled %d\nmakeFileList %d\n", engine.commentsEnabled,
         engine.rewindEnabled, engine.makeFileList);
  printf("demoStartTime %g\ntimelineFileName %s\n", engine.demoStartTime,
         engine.timelineFileName.c_str());
  return 0;
}
