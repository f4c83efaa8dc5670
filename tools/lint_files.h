// The checks of velmira-tool lint on the files the show read: missing ones,
// pictures, meshes and music the engine's decoders refuse, a damaged pack.
#pragma once

#include "app/engine_state.h"
#include "tools/lint_report.h"

// Every file the show asked for that is missing, empty or refused by the
// decoder the engine reads it with, with the file that asks for it.
void checkRequestedFiles(LintReport& report);

// A datapack.dat whose entries run past its end.
void checkPack(LintReport& report);

// Music that does not play, or ends before the show does.
void checkMusic(const EngineState& engine, LintReport& report);
