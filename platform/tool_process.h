// How a command-line tool's process behaves, unlike the player's: it never
// opens a message box (nobody may be there to click it) and Ctrl-C and
// SIGTERM end it at once, also while a hidden window exists.
#pragma once

#include <string>

// Call first thing in main, before any window or audio is opened.
void setUpToolProcess();

// A half-written file that Ctrl-C or SIGTERM removes before the process ends;
// an empty path forgets it.
void removeWhenStopped(const std::string& path);
