#include "app/command_line.h"

#include <cstring>

PlayerOptions parsePlayerOptions(int argc, char** argv, const std::string& defaultShow) {
  PlayerOptions options;
  options.showDirectory = defaultShow;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--help") || !strcmp(argv[i], "-h")) {
      options.help = true;
    } else if (!strcmp(argv[i], "--version")) {
      options.version = true;
    } else if (!strcmp(argv[i], "--no-dialog")) {
      options.skipDialog = true;
    } else if (!strcmp(argv[i], "--show")) {
      if (i + 1 == argc) options.error = "--show needs a directory";
      else options.showDirectory = argv[++i];
    } else {
      if (!options.switches.empty()) options.switches += ' ';
      options.switches += argv[i];
    }
  }
  return options;
}
