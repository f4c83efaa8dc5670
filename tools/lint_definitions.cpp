#include "tools/lint_definitions.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "app/show_loading.h"
#include "effects/effect_kinds.h"
#include "pack/pack.h"
#include "script/recording_loaders.h"
#include "script/variables.h"

namespace {

std::string asText(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

std::string definitionText(const std::string& name) {
  std::vector<uint8_t> bytes;
  if (!fileIsAvailable(name)) return "";
  loadFile(name, bytes);
  return asText(bytes);
}

std::string seconds(float value) {
  char text[32];
  snprintf(text, sizeof text, "%g", value);
  return text;
}

void checkWindow(const EngineState& engine, const std::string& timeline, const TimelineEntry& entry,
                 LintReport& report) {
  const std::string place = timeline + ":" + std::to_string(entry.line) + ": " + entry.definitionName;
  const float showEnd = engine.endTime + 1.0f;  // the player draws until then
  // An empty window is a way to load resources once without drawing.
  if (entry.end > entry.start && (entry.start < 0 || entry.end > showEnd))
    report.add(place + " runs from " + seconds(entry.start) + " to " + seconds(entry.end) +
               " s, outside the show (0 to " + seconds(showEnd) + " s)");
}

// Compiles the body as the loader does, without loading anything, for the
// warnings; an error is left to the real load, which reports it.
std::vector<CompileWarning> compileWarnings(const TimelineEntry& entry, std::string_view body) {
  Script script;
  script.definitionName = entry.definitionName;
  declareEffectVariables(script, entry.start, entry.end, entry.params,
                         entry.outputs.empty() ? "screen" : entry.outputs.front());
  RecordingLoaders recording;
  std::vector<CompileWarning> warnings;
  CompileEnvironment environment{&recording.loaders, entry.inputs, &warnings};
  try {
    compileScriptBody(script, body, environment);
  } catch (const ScriptError&) {
  }
  return warnings;
}

void checkDefinition(const TimelineEntry& entry, LintReport& report) {
  const std::string& name = entry.definitionName;
  const std::string definition = definitionText(name);
  const DefinitionText text = splitDefinition(definition);
  if (text.kind.empty())
    report.add(name + ": the first line names no kind (code = KIND)");
  else if (!createEffect(text.kind))
    report.add(name + ": unknown kind '" + text.kind + "'");
  for (const CompileWarning& warning : compileWarnings(entry, text.body))
    report.add(name + ":" + std::to_string(warning.line) + ":" + std::to_string(warning.column) +
               ": warning: " + warning.message);
}

bool isWordByte(char c) { return isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The body without its "//" comments.
std::string withoutComments(std::string_view body) {
  std::string kept;
  bool inComment = false;
  for (size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '\n') inComment = false;
    if (!inComment && body.substr(i, 2) == "//") inComment = true;
    kept.push_back(inComment ? ' ' : body[i]);
  }
  return kept;
}

// The offsets at which `name` stands as a whole word.
std::vector<size_t> wordPlaces(const std::string& text, const std::string& name) {
  std::vector<size_t> places;
  for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
    const size_t end = at + name.size();
    if ((at == 0 || !isWordByte(text[at - 1])) && (end == text.size() || !isWordByte(text[end])))
      places.push_back(at);
  }
  return places;
}

bool isPredeclared(const std::string& name) {
  static const std::set<std::string> kEveryEffect = {"frame", "time",   "timeStep",  "start",
                                                      "length", "end", "textureOut"};
  return kEveryEffect.count(name) || name.starts_with("paramIn");
}

struct DefinitionReads {
  const Effect* first = nullptr;
  std::set<std::string, std::less<>> read;
};

void checkReads(const DefinitionReads& reads, LintReport& report) {
  const std::string& name = reads.first->definitionName();
  const std::string definition = definitionText(name);
  const std::string body = withoutComments(splitDefinition(definition).body);
  for (const auto& [variable, table] : reads.first->script->variables.byName) {
    // Resource declarations load what they name, which other effects may use
    // by its pool name; only numbers are plain parameters.
    if (!isNumericKind(table->kind) || variable.find('.') != std::string::npos ||
        isPredeclared(variable) || reads.read.count(variable))
      continue;
    const std::vector<size_t> places = wordPlaces(body, variable);
    if (places.size() > 1) continue;  // the definition itself uses it
    const auto firstUse = body.begin() + std::ptrdiff_t(places.empty() ? 0 : places[0]);
    const int line = kBodyFirstLine + int(std::count(body.begin(), firstUse, '\n'));
    report.add(name + ":" + std::to_string(line) + ": warning: '" + variable + "' is never read by kind " +
               reads.first->kind + " nor used in the definition");
  }
}

}  // namespace

void checkTimeline(const EngineState& engine, const std::vector<TimelineEntry>& entries,
                   LintReport& report) {
  const std::string& timeline = engine.timelineFileName;
  const std::string problem = emptyTimelineProblem(timeline);
  if (!problem.empty()) report.add(problem);
  for (const TimelineEntry& entry : entries) checkWindow(engine, timeline, entry, report);
}

void checkDefinitions(const std::vector<TimelineEntry>& entries, LintReport& report) {
  std::set<std::string> seen;
  for (const TimelineEntry& entry : entries) {
    // A missing definition is reported with the missing files.
    if (!seen.insert(entry.definitionName).second || !fileIsAvailable(entry.definitionName)) continue;
    checkDefinition(entry, report);
  }
}

void checkUnreadParameters(const EffectList& effects, LintReport& report) {
  std::map<std::string, DefinitionReads> byDefinition;
  for (const auto& effect : effects) {
    if (effect->length <= 0) continue;  // never drawn: what it reads is unknown
    DefinitionReads& reads = byDefinition[effect->definitionName()];
    if (!reads.first) reads.first = effect.get();
    reads.read.insert(effect->parametersRead.begin(), effect->parametersRead.end());
  }
  for (const auto& [name, reads] : byDefinition) checkReads(reads, report);
}
