// The run-up of a render that starts inside the show: the loaded effects
// described for the planner (what state each kind carries, which pool
// textures and meshes it shares), and the plan run frame by frame without
// reading anything back.
#pragma once

#include <vector>

#include "app/offline_show.h"
#include "tools/run_up_plan.h"

// The effects in timeline order, their windows as grid frames below `limit`.
std::vector<PlannedEffect> describeEffects(const EffectList& effects, double fps, long limit);

// Draws the planned run-up frames: each frame at its grid time and step,
// only the effects the plan names.
void runUpShow(OfflineShow& show, const RunUpPlan& plan, double fps);
