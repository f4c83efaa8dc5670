// The player: start-up, the frame loop and shutdown of the show.
#pragma once

#include <string>

#include "app/engine_state.h"

// Runs the show in the current directory; returns the process exit status.
// `switches` is the command line text searched for "-window" and "-fps";
// `skipDialog` leaves out the setup dialog even when the configuration asks
// for it (no person to answer it, as under a virtual display).
int playShow(const std::string& switches, bool skipDialog = false);
