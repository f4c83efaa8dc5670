// What start-up does once the GL context exists: the GPU programs, the
// standard pool textures and the effects of the timeline. The player, the
// offline renderer and the linter load a show the same way.
#pragma once

#include "app/engine_state.h"
#include "framework/effect_loader.h"

// The GPU programs and the standard pool textures, made once.
void prepareEffectDrawing();

// Script errors end the process with their message (status 255).
EffectList loadShowEffects(EngineState& engine);

// The same, but a script error is thrown as ScriptError for the caller.
EffectList loadShowEffectsOrThrow(EngineState& engine);
