// velmira-tool lint: loads the show as the player does and lists its effects.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/offline_show.h"
#include "app/show_loading.h"
#include "tools/tool_commands.h"

int runToolLint(int argc, char** argv) {
  std::string showDirectory = VELMIRA_DEFAULT_SHOW;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--show") && i + 1 < argc) {
      showDirectory = argv[++i];
    } else {
      printf(
          "usage: velmira-tool lint [--show DIR]\n\n"
          "Loads the show in DIR (default: the built show) as the player does, compiling\n"
          "every effect definition. The first error prints its message and exits 255;\n"
          "otherwise one line per effect: <index> <kind> <definition> <start> <end>,\n"
          "then '<N> effects'.\n");
      return strcmp(argv[i], "--help") ? 2 : 0;
    }
  }
  std::error_code error;
  std::filesystem::current_path(showDirectory, error);
  if (error) {
    fprintf(stderr, "velmira-tool lint: cannot enter %s\n", showDirectory.c_str());
    return 1;
  }
  OfflineShow show;
  std::string reason;
  if (!openOfflineShow(show, 64, 36, reason)) {
    fprintf(stderr, "velmira-tool lint: no GL context: %s\n", reason.c_str());
    return 1;
  }
  show.effects = loadShowEffects(show.engine);
  int index = 0;
  for (const auto& effect : show.effects)
    printf("%d %s %s %g %g\n", index++, effect->kind.c_str(), effect->definitionName().c_str(),
           effect->start, effect->start + effect->length);
  printf("%zu effects\n", show.effects.size());
  return 0;
}
