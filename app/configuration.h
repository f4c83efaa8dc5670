// The start file "demo.adt" and the configuration file it names.
//
// "demo.adt" names the configuration file (config = NAME) and the timeline
// (timeline = NAME). The configuration's [config] section sets the output
// size and the switches; every key is found by a substring test on the line.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/engine_state.h"

// Reads "demo.adt" and the configuration through loadFile.
void readConfiguration(EngineState& engine);

// The readers of the two texts, for tests and tools.
void applyStartFile(EngineState& engine, std::string_view text);
void applyConfigurationFile(EngineState& engine, std::string_view text);

// "-window" anywhere in the command line clears full screen; "-fps" shows the
// frame counter.
void applyCommandLine(EngineState& engine, std::string_view commandLine);
