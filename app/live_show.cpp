#include "app/live_show.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "app/show_loading.h"
#include "effects/effect_kinds.h"
#include "framework/resource_loaders.h"
#include "gfx/image_texture.h"
#include "gfx/material.h"
#include "gfx/texture_pool.h"
#include "pack/pack.h"

namespace {

std::string_view asText(const std::vector<uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

using EffectSlots = std::vector<std::pair<size_t, std::unique_ptr<Effect>>>;

bool isPicturePath(const std::string& path) {
  return path.ends_with(".png") || path.ends_with(".jpg") || path.ends_with(".jpeg");
}

bool holdsEntry(const EffectSlots& slots, size_t entry) {
  return std::any_of(slots.begin(), slots.end(), [&](const auto& slot) { return slot.first == entry; });
}

bool namesDefinition(const std::vector<TimelineEntry>& entries, const std::string& path) {
  return std::any_of(entries.begin(), entries.end(),
                     [&](const TimelineEntry& entry) { return entry.definitionName == path; });
}

// A material read again while authoring fills the record it made before, so
// the material store does not grow with every rebuild.
std::map<std::string, std::shared_ptr<Material>>& knownMaterials() {
  static std::map<std::string, std::shared_ptr<Material>> materials;
  return materials;
}

const ResourceLoaders& authoringLoaders() {
  static const ResourceLoaders loaders = [] {
    ResourceLoaders wrapped = engineResourceLoaders();
    wrapped.loadMaterial = [](const std::string& file) {
      std::shared_ptr<Material>& known = knownMaterials()[file];
      if (!known) known = engineResourceLoaders().loadMaterial(file);
      return known;
    };
    return wrapped;
  }();
  return loaders;
}

void refreshMaterial(const std::string& path) {
  const auto known = knownMaterials().find(path);
  if (known == knownMaterials().end()) return;
  std::vector<uint8_t> bytes;
  loadFile(path, bytes);
  MaterialFile file = parseMaterial(bytes);
  for (const MaterialTexture& texture : file.textures)
    loadImageTexture(texture.convertToBump, texture.name, texture.path, 1.0f);
  *known->second = file.material;
}

// The overlay and stderr give a compile error's place first, as FILE:LINE:COL.
void reportError(LiveShow& show, const ScriptError& error) {
  show.error = describeScriptError(error);
  fprintf(stderr, "%s\n", show.error.c_str());
}

// The effect of one timeline entry as its definition reads now; null when
// the definition is missing or names no kind. Throws ScriptError.
std::unique_ptr<Effect> loadEntry(const TimelineEntry& entry) {
  for (const std::string& name : entry.inputs) makeRenderSizeTexture(name);
  for (const std::string& name : entry.outputs) makeRenderSizeTexture(name);
  std::vector<uint8_t> definition;
  if (loadFile(entry.definitionName, definition) == kLoadMissing) return nullptr;
  return loadEffect(entry, asText(definition), createEffect, authoringLoaders());
}

// Pairs each loaded effect with the timeline entry it came from: the loader
// keeps entry order and leaves out entries without an effect.
std::vector<size_t> matchEntries(const EffectList& effects,
                                 const std::vector<TimelineEntry>& entries) {
  std::vector<size_t> entryOf;
  size_t next = 0;
  for (const std::unique_ptr<Effect>& effect : effects) {
    while (next < entries.size() && (entries[next].definitionName != effect->definitionName() ||
                                     entries[next].start != effect->start))
      ++next;
    entryOf.push_back(std::min(next, entries.size() - 1));
    ++next;
  }
  return entryOf;
}

void reloadTimeline(LiveShow& show) {
  std::vector<TimelineEntry> entries = readTimelineFile(show.timelineFileName);
  EffectList effects;
  std::vector<size_t> entryOf;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (auto effect = loadEntry(entries[i])) {
      effects.push_back(std::move(effect));
      entryOf.push_back(i);
    }
  }
  show.undo = LiveUndo();
  show.undo.wholeTimeline = true;
  show.undo.entries = std::exchange(show.entries, std::move(entries));
  show.undo.effects = std::exchange(show.effects, std::move(effects));
  show.undo.entryOfEffect = std::exchange(show.entryOfEffect, std::move(entryOf));
}

// Puts (entry, effect) pairs in entry order into the show's lists.
void assemble(LiveShow& show, EffectSlots slots) {
  std::stable_sort(slots.begin(), slots.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  show.effects.clear();
  show.entryOfEffect.clear();
  for (auto& [entry, effect] : slots) {
    if (!effect) continue;
    show.entryOfEffect.push_back(entry);
    show.effects.push_back(std::move(effect));
  }
}

EffectSlots takeSlots(LiveShow& show) {
  EffectSlots slots;
  for (size_t i = 0; i < show.effects.size(); ++i)
    slots.emplace_back(show.entryOfEffect[i], std::move(show.effects[i]));
  show.effects.clear();
  show.entryOfEffect.clear();
  return slots;
}

void reloadDefinitions(LiveShow& show, const std::set<std::string>& definitions) {
  EffectSlots fresh;
  for (size_t i = 0; i < show.entries.size(); ++i) {
    if (definitions.count(show.entries[i].definitionName))
      fresh.emplace_back(i, loadEntry(show.entries[i]));
  }
  LiveUndo undo;
  EffectSlots slots = takeSlots(show);
  for (auto& slot : slots) {
    if (holdsEntry(fresh, slot.first)) undo.replaced.emplace_back(slot.first, std::move(slot.second));
  }
  for (auto& slot : fresh) slots.push_back(std::move(slot));
  std::erase_if(slots, [](const auto& slot) { return !slot.second; });
  assemble(show, std::move(slots));
  show.undo = std::move(undo);
}

}  // namespace

void startLiveShow(LiveShow& show, EffectList effects, const std::string& timelineFileName) {
  show.timelineFileName = timelineFileName;
  show.entries = readTimelineFile(timelineFileName);
  show.entryOfEffect = matchEntries(effects, show.entries);
  show.effects = std::move(effects);
  show.watch = watchShowFiles(requestedFiles());
}

bool reloadChangedFiles(LiveShow& show, const std::vector<std::string>& paths) {
  if (paths.empty()) return false;
  std::set<std::string> definitions;
  bool rebuild = false, pictures = false;
  for (const std::string& path : paths) {
    if (namesDefinition(show.entries, path)) {
      definitions.insert(path);
    } else if (isPicturePath(path)) {
      pictures = reloadImageTextures(path) > 0 || pictures;
    } else {
      refreshMaterial(path);
      rebuild = true;
    }
  }
  try {
    if (rebuild)
      reloadTimeline(show);
    else if (!definitions.empty())
      reloadDefinitions(show, definitions);
    show.error.clear();
  } catch (const ScriptError& error) {
    reportError(show, error);
  }
  watchMoreFiles(show.watch, requestedFiles());
  return rebuild || !definitions.empty() || pictures;
}

bool refreshLiveShow(LiveShow& show, uint32_t nowMs) {
  if (nowMs - show.lastCheckMs < kLiveCheckIntervalMs) return false;
  show.lastCheckMs = nowMs;
  return reloadChangedFiles(show, changedShowFiles(show.watch));
}

void recoverFromDrawingError(LiveShow& show, const std::string& caption, const std::string& text) {
  LiveUndo undo = std::move(show.undo);
  show.undo = LiveUndo();
  if (undo.wholeTimeline) {
    show.entries = std::move(undo.entries);
    show.effects = std::move(undo.effects);
    show.entryOfEffect = std::move(undo.entryOfEffect);
  } else if (!undo.replaced.empty()) {
    EffectSlots slots = takeSlots(show);
    std::erase_if(slots, [&](const auto& slot) { return holdsEntry(undo.replaced, slot.first); });
    for (auto& replaced : undo.replaced) slots.push_back(std::move(replaced));
    assemble(show, std::move(slots));
  }
  const ScriptError error(caption, text);
  if (describeScriptError(error) != show.error) reportError(show, error);
}
