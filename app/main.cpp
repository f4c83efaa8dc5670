// velmira: plays the show.
#include <cstdio>
#include <filesystem>
#include <new>

#include "app/command_line.h"
#include "app/default_show.h"
#include "app/player.h"

namespace {

void printHelp(FILE* out) {
  fprintf(out,
      "usage: velmira [-window] [-fps] [--no-dialog] [--show DIR]\n\n"
      "Plays the show. Escape quits.\n\n"
      "  -window     play in a window instead of full screen\n"
      "  -fps        show build, frame rate and show time in the title\n"
      "  --no-dialog start without the setup dialog\n"
      "  --show DIR  play the show in DIR (default: %s)\n"
      "  --help      print this help\n"
      "  --version   print the version\n",
      defaultShowDirectory().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const PlayerOptions options = parsePlayerOptions(argc, argv, defaultShowDirectory());
  if (!options.error.empty()) {
    fprintf(stderr, "velmira: %s\n\n", options.error.c_str());
    printHelp(stderr);
    return 2;
  }
  if (options.help) {
    printHelp(stdout);
    return 0;
  }
  if (options.version) {
    printf("velmira %s\n", VELMIRA_VERSION);
    return 0;
  }
  std::error_code error;
  std::filesystem::current_path(options.showDirectory, error);
  if (error) {
    fprintf(stderr, "velmira: cannot enter the show directory %s: %s\n",
            options.showDirectory.c_str(), error.message().c_str());
    return 1;
  }
  try {
    return playShow(options.switches, options.skipDialog);
  } catch (const std::bad_alloc&) {
    fputs("velmira: not enough memory to play the show\n", stderr);
    return 1;
  }
}
