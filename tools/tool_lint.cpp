// velmira-tool lint: loads the show as the player does, then checks what the
// player would only find out while playing, or never: compile errors of every
// definition, definitions that name no known kind, frames that stop with a
// runtime error, files that are missing or that the engine's decoders refuse,
// a damaged pack, music shorter than the show, and text the language accepts
// but an author rarely means.
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "app/offline_show.h"
#include "app/show_loading.h"
#include "pack/pack.h"
#include "platform/message.h"
#include "tools/lint_definitions.h"
#include "tools/lint_files.h"
#include "tools/lint_report.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"
#include "tools/tool_show.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool lint [--show DIR]\n\n"
    "Loads the show in DIR as the player does, compiling every effect definition,\n"
    "prints one line per effect that loaded:\n"
    "  <index> <kind> <definition> <start> <end>\n"
    "then '<N> effects', and reports on stderr, one finding each (a compile error\n"
    "also as FILE:LINE:COL: message, with lines as an editor counts them):\n"
    "  - a timeline that schedules no effect (missing, empty or unreadable), and\n"
    "    timeline lines whose window is empty or lies outside the show;\n"
    "  - every definition that does not compile, names no kind or an unknown one;\n"
    "  - warnings: a dangling operator (a = 0.35 +;), two operands with no operator\n"
    "    between them, a string literal in a number expression, and a variable\n"
    "    that the kind never reads and the definition never uses;\n"
    "  - an effect whose frame stops with a runtime error (one frame is drawn inside\n"
    "    each effect's window, without output);\n"
    "  - every file the show asks for that is neither on the disk nor in the pack,\n"
    "    with the file that asks for it; pictures and meshes that are empty or that\n"
    "    the engine's decoders refuse or find cut short;\n"
    "  - a datapack.dat whose entries run past its end; music that does not play or\n"
    "    ends before the show.\n"
    "Ends with '<N> problem(s)' and status 1 when it found anything, else status 0.\n"
    "DIR defaults to the current folder when it holds a show, else the installed or\n"
    "built show.\n";

const ToolOption kOptions[] = {kShowOption};

// The timeline's entries, without the file layer's message for a missing
// timeline (the timeline check names it).
std::vector<TimelineEntry> timelineEntries(const std::string& name) {
  return !name.empty() && fileIsAvailable(name) ? readTimelineFile(name) : std::vector<TimelineEntry>{};
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

void listEffects(const EffectList& effects) {
  int index = 0;
  for (const auto& effect : effects)
    printf("%d %s %s %g %g\n", index++, effect->kind.c_str(), effect->definitionName().c_str(),
           effect->start, effect->start + effect->length);
  printf("%zu effects\n", effects.size());
  fflush(stdout);
}

// Every entry is loaded; one that does not compile is reported (once for
// all the entries of its definition) and left out.
void loadEffects(OfflineShow& show, LintReport& report) {
  noteParameterReads(true);
  std::set<std::string> reported;
  show.effects = loadShowEffectsOrThrow(show.engine, [&](const TimelineEntry&, const ScriptError& error) {
    const std::string text = describeScriptError(error);
    if (reported.insert(text).second) report.add(text);
  });
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
  const std::vector<TimelineEntry> entries = timelineEntries(show.engine.timelineFileName);
  checkTimeline(show.engine, entries, report);
  checkDefinitions(entries, report);
  loadEffects(show, report);
  listEffects(show.effects);
  checkMusic(show.engine, report);
  drawEachEffect(show, report);
  checkUnreadParameters(show.effects, report);
  checkRequestedFiles(report);
  checkPack(report);
  report.problems += notesGiven();
  if (report.problems)
    fprintf(stderr, "velmira-tool lint: %d problem%s\n", report.problems, report.problems == 1 ? "" : "s");
  return report.problems ? 1 : 0;
}
