// Runs, every frame, the effects whose window [start, start + length) holds
// the show time, in timeline order. Effects talk only through the frame they
// all draw into and the named pool textures.
#pragma once

#include "framework/effect_loader.h"

void runTimeline(const EffectList& effects, float time, float timeStep);

// The same, running only the effects whose entry in `chosen` is true (a
// render's run-up).
void runTimeline(const EffectList& effects, float time, float timeStep,
                 const std::vector<bool>& chosen);
