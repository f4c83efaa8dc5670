// What start-up does once the GL context exists: the GPU programs, the
// standard pool textures and the effects of the timeline. The player, the
// offline renderer and the linter load a show the same way.
#pragma once

#include <string>

#include "app/engine_state.h"
#include "framework/effect_loader.h"

// The GPU programs and the standard pool textures, made once.
void prepareEffectDrawing();

// Script errors end the process with their message (status 255).
EffectList loadShowEffects(EngineState& engine);

// Shows a script error as every data error is shown, after a line on stderr
// that gives its place as FILE:LINE:COL when it has one; ends the process.
[[noreturn]] void fatalScriptError(const ScriptError& error);

// The same, but a script error is thrown as ScriptError for the caller, or,
// with `onError`, handed to it while loading goes on.
EffectList loadShowEffectsOrThrow(EngineState& engine, const EntryErrorHandler& onError = nullptr);

// The entries of the named timeline file; none when it is not named or not
// there.
std::vector<TimelineEntry> readTimelineFile(const std::string& name);

// Why a timeline gives no effect, in words for the author ("timeline.txt
// schedules no effect: the file is empty"): no timeline named, its file
// missing or empty, no line naming a definition, or no line whose definition
// exists and names a known kind. Empty when it schedules one.
std::string emptyTimelineProblem(const std::string& timelineFileName);
