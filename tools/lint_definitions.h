// The checks of velmira-tool lint on the timeline and the definitions it
// names: what the language or the engine accepts but an author rarely means.
#pragma once

#include <vector>

#include "app/engine_state.h"
#include "framework/effect_loader.h"
#include "tools/lint_report.h"

// A timeline that schedules no effect, and lines whose window lies outside
// the show.
void checkTimeline(const EngineState& engine, const std::vector<TimelineEntry>& entries,
                   LintReport& report);

// Definitions that name no kind or an unknown one, and the compiler's
// warnings (each definition once, with its first timeline entry).
void checkDefinitions(const std::vector<TimelineEntry>& entries, LintReport& report);

// Number variables a definition declares that its kind never fetched (reads
// noted while loading and drawing) and that the definition itself never
// uses; effects that are never drawn are left out.
void checkUnreadParameters(const EffectList& effects, LintReport& report);
