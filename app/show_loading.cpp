#include "app/show_loading.h"

#include <cstdio>

#include "effects/effect_kinds.h"
#include "framework/resource_loaders.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/texture_pool.h"
#include "pack/pack.h"
#include "platform/message.h"

void prepareEffectDrawing() {
  initGpuPrograms();
  createStandardTextures();
}

EffectList loadShowEffectsOrThrow(EngineState& engine, const EntryErrorHandler& onError) {
  prepareEffectDrawing();
  EffectList effects =
      loadEffects(engine.timelineFileName, createEffect, engineResourceLoaders(), onError);
  engine.seekMarks = effectStartTimes(effects);
  return effects;
}

EffectList loadShowEffects(EngineState& engine) {
  try {
    return loadShowEffectsOrThrow(engine);
  } catch (const ScriptError& error) {
    fatalScriptError(error);
  }
}

void fatalScriptError(const ScriptError& error) {
  const std::string located = locatedError(error);
  if (!located.empty()) fprintf(stderr, "%s\n", located.c_str());
  fatalMessage(error.caption, error.text);
}

namespace {

std::string_view asText(const std::vector<uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

bool namesKnownKind(const TimelineEntry& entry) {
  std::vector<uint8_t> bytes;
  if (!fileIsAvailable(entry.definitionName) || loadFile(entry.definitionName, bytes) == kLoadMissing)
    return false;
  const std::string kind = splitDefinition(asText(bytes)).kind;
  return !kind.empty() && createEffect(kind) != nullptr;
}

std::string emptyTimelineReason(const std::string& timelineFileName) {
  std::vector<uint8_t> bytes;
  if (!fileIsAvailable(timelineFileName) || loadFile(timelineFileName, bytes) == kLoadMissing)
    return "the file is missing";
  if (bytes.empty()) return "the file is empty";
  const std::vector<TimelineEntry> entries = parseTimeline(asText(bytes));
  if (entries.empty())
    return "no line of it names a definition (name = FILE start = S end = E, ending with a line feed)";
  for (const TimelineEntry& entry : entries)
    if (namesKnownKind(entry)) return "";
  return "no line of it names a definition that exists and names a known kind";
}

}  // namespace

std::vector<TimelineEntry> readTimelineFile(const std::string& name) {
  std::vector<uint8_t> bytes;
  if (name.empty() || loadFile(name, bytes) == kLoadMissing) return {};
  return parseTimeline(asText(bytes));
}

std::string emptyTimelineProblem(const std::string& timelineFileName) {
  if (timelineFileName.empty()) return "demo.adt names no timeline (timeline = NAME)";
  const std::string reason = emptyTimelineReason(timelineFileName);
  return reason.empty() ? "" : timelineFileName + " schedules no effect: " + reason;
}
