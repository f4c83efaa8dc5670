// Drawing one frame of the show and presenting it: the picture is drawn at
// the render size, copied into the pool texture "screen" and drawn
// letterboxed over the output. The player and the offline renderer share it.
#pragma once

#include "app/engine_state.h"
#include "framework/effect_loader.h"

// Runs the timeline for engine.currentTime into the render-size corner of
// the frame target, over a cleared picture.
void drawShowPicture(const EngineState& engine, const EffectList& effects);
// Only the effects whose entry in `chosen` is true.
void drawShowPicture(const EngineState& engine, const EffectList& effects,
                     const std::vector<bool>& chosen);

// Copies the picture into "screen" and draws it letterboxed at the output
// size.
void presentShowPicture(const EngineState& engine);

