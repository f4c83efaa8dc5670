// The player: start-up, the frame loop and shutdown of the show.
#pragma once

#include <string>

#include "app/engine_state.h"

// Runs the show in the current directory; returns the process exit status.
// `switches` is the command line text searched for "-window" and "-fps".
int playShow(const std::string& switches);
