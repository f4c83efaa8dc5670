// velmira-tool skeleton: prints a definition that declares every parameter a
// kind reads on its first frame, zero-valued, in the order it reads them.
// The kind runs once (initialisation and one frame) with fetchers that
// declare what is missing instead of failing, so the list is the kind's own.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/default_show.h"
#include "app/offline_show.h"
#include "app/show_loading.h"
#include "effects/effect_kinds.h"
#include "framework/glyph_meshes.h"
#include "framework/parameter_skeleton.h"
#include "framework/resource_loaders.h"
#include "gfx/render_targets.h"
#include "script/error.h"
#include "tools/tool_commands.h"

namespace {

void printHelp(FILE* out) {
  fprintf(out,
          "usage: velmira-tool skeleton KIND\n\n"
          "Prints an effect definition of KIND that declares every parameter the kind\n"
          "reads on its first frame, all zero, in the order the kind reads them, with\n"
          "its type: a definition that runs, to start writing from. A KIND that is not\n"
          "one of these is wrong usage (status 2). Kinds:\n ");
  for (std::string_view kind : effectKindNames())
    fprintf(out, " %.*s", static_cast<int>(kind.size()), kind.data());
  fprintf(out, "\n");
}

// Runs the kind once and returns what it fetched; throws ScriptError when the
// kind's first frame fails for another reason.
std::vector<ParameterRecord> recordKind(const std::string& kind) {
  prepareEffectDrawing();
  createFloatTarget();
  loadGlyphMeshes();
  TimelineEntry entry;
  entry.definitionName = "skeleton.txt";
  entry.end = 1000.0f;
  std::vector<ParameterRecord> records;
  auto effect =
      loadEffect(entry, "code = " + kind + "\n", createEffect, engineResourceLoaders(), &records);
  bindFrameTarget();
  effect->render(0.0f, 0.0f);
  return records;
}

}  // namespace

int runToolSkeleton(int argc, char** argv) {
  if (argc == 2 && !strcmp(argv[1], "--help")) {
    printHelp(stdout);
    return 0;
  }
  if (argc != 2 || argv[1][0] == '-') {
    printHelp(stderr);
    return 2;
  }
  const std::string kind = argv[1];
  if (!createEffect(kind)) {
    fprintf(stderr, "velmira-tool skeleton: '%s' is no effect kind\n\n", kind.c_str());
    printHelp(stderr);
    return 2;
  }
  // The kinds load their fixed meshes from the show's folder.
  std::error_code ignored;
  std::filesystem::current_path(defaultShowDirectory(), ignored);
  OfflineShow show;
  std::string reason;
  if (!openOfflineShow(show, 64, 36, reason)) {
    fprintf(stderr, "velmira-tool skeleton: no GL context: %s\n", reason.c_str());
    return 1;
  }
  try {
    fputs(skeletonDefinition(kind, recordKind(kind)).c_str(), stdout);
  } catch (const ScriptError& error) {
    fprintf(stderr, "velmira-tool skeleton: %s\n%s", error.caption.c_str(), error.text.c_str());
    return 1;
  }
  return 0;
}
