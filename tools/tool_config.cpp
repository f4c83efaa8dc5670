// velmira-tool config: prints the configuration the player would use.
#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "app/configuration.h"
#include "app/presentation.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"
#include "tools/tool_show.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool config [--show DIR] [-window] [-fps]\n\n"
    "Reads demo.adt and the configuration file of the show as the player does,\n"
    "applies the player's switches (-window, -fps), derives the render size and\n"
    "prints one 'key value' line per setting. Arguments the player would refuse are\n"
    "refused. DIR defaults to the current folder when it holds a show, else the\n"
    "installed or built show.\n";

}  // namespace

int runToolConfig(int argc, char** argv) {
  const PlayerOptions options = parsePlayerOptions(argc, argv, "");
  if (options.help) return printUsage(kUsage);
  if (!options.error.empty()) return usageError("config", options.error, kUsage);
  if (options.version) return usageError("config", "unknown argument --version", kUsage);
  if (!enterShowDirectory("config", options.showDirectory)) return 1;
  EngineState engine;
  readConfiguration(engine);
  applyCommandLine(engine, options.switches);
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
