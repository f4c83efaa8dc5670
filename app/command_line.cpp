#include "app/command_line.h"

#include <cstring>

namespace {

bool isSwitch(const char* arg) { return strstr(arg, "-window") || strstr(arg, "-fps"); }

}  // namespace

PlayerOptions parsePlayerOptions(int argc, char** argv, const std::string& defaultShow) {
  PlayerOptions options;
  options.showDirectory = defaultShow;
  for (int i = 1; i < argc && options.error.empty(); ++i) {
    if (!strcmp(argv[i], "--help") || !strcmp(argv[i], "-h")) {
      options.help = true;
    } else if (!strcmp(argv[i], "--version")) {
      options.version = true;
    } else if (!strcmp(argv[i], "--no-dialog")) {
      options.skipDialog = true;
    } else if (!strcmp(argv[i], "--show")) {
      if (i + 1 == argc) options.error = "--show needs a directory";
      else options.showDirectory = argv[++i];
    } else if (isSwitch(argv[i])) {
      if (!options.switches.empty()) options.switches += ' ';
      options.switches += argv[i];
    } else {
      options.error = std::string("unknown argument ") + argv[i];
    }
  }
  return options;
}
