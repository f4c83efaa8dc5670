#include "framework/effect_loader.h"

#include <algorithm>

#include "framework/glyph_meshes.h"
#include "gfx/render_targets.h"
#include "gfx/texture_pool.h"
#include "pack/pack.h"

namespace {

std::string_view asText(const std::vector<uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

void makePoolTextures(const std::vector<std::string>& names) {
  for (const std::string& name : names) makeRenderSizeTexture(name);
}

}  // namespace

std::vector<float> effectStartTimes(const EffectList& effects) {
  std::vector<float> starts;
  for (const std::unique_ptr<Effect>& effect : effects) starts.push_back(effect->start);
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  return starts;
}

namespace {

std::unique_ptr<Effect> buildEffect(const TimelineEntry& entry, std::string_view definition,
                                    EffectFactory createEffect, const ResourceLoaders& loaders,
                                    std::vector<ParameterRecord>* recording) {
  const DefinitionText text = splitDefinition(definition);
  if (text.kind.empty()) return nullptr;
  std::unique_ptr<Effect> effect = createEffect(text.kind);
  if (!effect) return nullptr;
  effect->kind = text.kind;
  effect->recordParameters(recording);
  Script& script = *effect->script;
  script.definitionName = entry.definitionName;
  const std::string& textureOut = entry.outputs.empty() ? "screen" : entry.outputs.front();
  declareEffectVariables(script, entry.start, entry.end, entry.params, textureOut);
  effect->start = entry.start;
  effect->length = entry.end - entry.start;
  CompileEnvironment environment;
  environment.loaders = &loaders;
  environment.inputTextureNames = entry.inputs;
  compileScriptBody(script, text.body, environment);
  effect->initialise();
  runScript(script);
  return effect;
}

}  // namespace

std::unique_ptr<Effect> loadEffect(const TimelineEntry& entry, std::string_view definition,
                                   EffectFactory createEffect, const ResourceLoaders& loaders,
                                   std::vector<ParameterRecord>* recording) {
  return withAllocationAsDataError(entry.definitionName, [&] {
    return buildEffect(entry, definition, createEffect, loaders, recording);
  });
}

EffectList loadEffects(const std::string& timelineFileName, EffectFactory createEffect,
                       const ResourceLoaders& loaders, const EntryErrorHandler& onError) {
  EffectList effects;
  createFloatTarget();
  withAllocationAsDataError("the glyph meshes", loadGlyphMeshes);
  std::vector<uint8_t> bytes;
  if (timelineFileName.empty() || loadFile(timelineFileName, bytes) == kLoadMissing) return effects;
  for (const TimelineEntry& entry : parseTimeline(asText(bytes))) {
    makePoolTextures(entry.inputs);
    makePoolTextures(entry.outputs);
    std::vector<uint8_t> definition;
    if (loadFile(entry.definitionName, definition) == kLoadMissing) continue;
    try {
      if (auto effect = loadEffect(entry, asText(definition), createEffect, loaders))
        effects.push_back(std::move(effect));
    } catch (const ScriptError& error) {
      if (!onError) throw;
      onError(entry, error);
    }
  }
  return effects;
}
