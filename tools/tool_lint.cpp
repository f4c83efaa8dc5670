// velmira-tool lint: loads the show as the player does, then checks what the
// player would only find out while playing: definitions that name no known
// kind, frames that stop with a runtime error (a missing parameter), broken
// pictures and meshes, and files the show asks for that are neither on the
// disk nor in the pack.
#include <cstdio>
#include <string>
#include <vector>

#include "music/music.h"
#include "app/offline_show.h"
#include "app/show_loading.h"
#include "effects/effect_kinds.h"
#include "pack/pack.h"
#include "platform/message.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"
#include "tools/tool_show.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool lint [--show DIR]\n\n"
    "Loads the show in DIR as the player does, compiling every effect definition; a\n"
    "compile error prints its message and ends with status 255. Otherwise prints one\n"
    "line per effect: <index> <kind> <definition> <start> <end>, then '<N> effects',\n"
    "and reports on stderr, one line each:\n"
    "  - a definition whose first line names no kind, or a kind that does not exist;\n"
    "  - an effect whose frame stops with a runtime error (one frame is drawn inside\n"
    "    each effect's window, without output);\n"
    "  - every file the show asks for that is neither on the disk nor in the pack,\n"
    "    with the file that asks for it;\n"
    "  - pictures and meshes that are broken or cut short (named as they load).\n"
    "Exits with status 1 when it reports anything. DIR defaults to the current folder\n"
    "when it holds a show, else the installed or built show.\n";

const ToolOption kOptions[] = {kShowOption};

struct LintReport {
  int problems = 0;
  void add(const std::string& text) {
    fprintf(stderr, "%s\n", text.c_str());
    ++problems;
  }
};

std::string asText(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

void checkKinds(const std::string& timelineFileName, LintReport& report) {
  std::vector<uint8_t> bytes;
  if (timelineFileName.empty()) {
    report.add("demo.adt names no timeline (timeline = NAME)");
    return;
  }
  if (!fileIsAvailable(timelineFileName) || loadFile(timelineFileName, bytes) == kLoadMissing) return;
  for (const TimelineEntry& entry : parseTimeline(asText(bytes))) {
    if (!fileIsAvailable(entry.definitionName)) continue;  // reported with the missing files
    loadFile(entry.definitionName, bytes);
    const std::string definition = asText(bytes);
    const DefinitionText text = splitDefinition(definition);
    if (text.kind.empty())
      report.add(entry.definitionName + ": the first line names no kind (code = KIND)");
    else if (!createEffect(text.kind))
      report.add(entry.definitionName + ": unknown kind '" + text.kind + "'");
  }
}

// One frame inside each effect's window, drawn as the player draws it.
void drawEachEffect(OfflineShow& show, LintReport& report) {
  std::vector<uint8_t> pixels;
  for (const auto& effect : show.effects) {
    try {
      renderOfflineFrame(show, effect->start, 0.0f, pixels);
    } catch (const ScriptError& error) {
      report.add(effect->definitionName() + " at " + std::to_string(effect->start) + " s: " +
                 error.caption + ": " + error.text);
    }
  }
}

// The first available file the show read that names `name`; the engine
// itself asks for some files (the glyph meshes, the music).
std::string whoAsked(const std::string& name) {
  if (name == "demo.adt") return "the player";
  std::vector<uint8_t> bytes;
  for (const std::string& asker : std::vector<std::string>(requestedFiles())) {
    if (asker == name || !fileIsAvailable(asker)) continue;
    loadFile(asker, bytes);
    if (asText(bytes).find(name) != std::string::npos) return asker;
  }
  return "the engine";
}

void checkFiles(LintReport& report) {
  for (const std::string& name : std::vector<std::string>(requestedFiles()))
    if (!fileIsAvailable(name))
      report.add("missing file " + name + " (asked for by " + whoAsked(name) + ")");
}

void listEffects(const EffectList& effects) {
  int index = 0;
  for (const auto& effect : effects)
    printf("%d %s %s %g %g\n", index++, effect->kind.c_str(), effect->definitionName().c_str(),
           effect->start, effect->start + effect->length);
  printf("%zu effects\n", effects.size());
  fflush(stdout);
}

}  // namespace

int runToolLint(int argc, char** argv) {
  const ToolArguments arguments = parseToolArguments(argc, argv, kOptions);
  if (arguments.help) return printUsage(kUsage);
  if (!arguments.error.empty()) return usageError("lint", arguments.error, kUsage);
  if (!arguments.operands.empty())
    return usageError("lint", "unexpected argument " + arguments.operands.front(), kUsage);
  if (!enterShowDirectory("lint", arguments)) return 1;
  OfflineShow show;
  std::string reason;
  if (!openOfflineShow(show, 64, 36, reason)) {
    fprintf(stderr, "velmira-tool lint: no GL context: %s\n", reason.c_str());
    return 1;
  }
  LintReport report;
  try {
    show.effects = loadShowEffectsOrThrow(show.engine);
  } catch (const ScriptError& error) {
    showMessage(error.caption, error.text);
    checkFiles(report);
    return kExitFailure;
  }
  listEffects(show.effects);
  checkKinds(show.engine.timelineFileName, report);
  if (show.engine.musicEnabled && !startMusic(MusicOutput::Offline))
    report.add(std::string(kMusicFileName) + ": holds no playable MP3 stream");
  drawEachEffect(show, report);
  checkFiles(report);
  report.problems += notesGiven();
  if (report.problems) fprintf(stderr, "velmira-tool lint: %d problems\n", report.problems);
  return report.problems ? 1 : 0;
}
