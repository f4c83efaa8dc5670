// Turns the timeline file into effect instances: for each line, the
// definition file it names is read, its first line chooses the effect kind,
// and the rest is compiled into the new instance's script after the
// variables every effect has are declared. Each instance is initialised and
// its definition run once before it joins the list.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/effect.h"
#include "framework/timeline_file.h"
#include "script/script.h"

// Creates an effect of a kind named in a definition, or null for a name
// that is no kind.
using EffectFactory = std::unique_ptr<Effect> (*)(std::string_view kind);

using EffectList = std::vector<std::unique_ptr<Effect>>;

// The distinct start times of the effects, sorted: the seek keys' marks.
std::vector<float> effectStartTimes(const EffectList& effects);

// Receives a script error of one timeline entry; loading goes on with the
// next entry (the checking tool, which reports every error).
using EntryErrorHandler = std::function<void(const TimelineEntry& entry, const ScriptError& error)>;

// Reads the timeline through loadFile and loads its effects in line order.
// Needs a GL context (textures are made for the in and out names). A script
// error throws ScriptError with the message to show, unless `onError` is
// given: then the entry is left out and `onError` told.
EffectList loadEffects(const std::string& timelineFileName, EffectFactory createEffect,
                       const ResourceLoaders& loaders, const EntryErrorHandler& onError = nullptr);

// Loads one timeline entry's effect from its definition text; null when the
// definition names no kind. With `recording`, parameters the kind fetches
// that the definition lacks are declared and noted there (see Effect).
std::unique_ptr<Effect> loadEffect(const TimelineEntry& entry, std::string_view definition,
                                   EffectFactory createEffect, const ResourceLoaders& loaders,
                                   std::vector<ParameterRecord>* recording = nullptr);
