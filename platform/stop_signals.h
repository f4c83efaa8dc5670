// Ctrl-C (SIGINT) and SIGTERM end the player at any moment. While the frame
// loop watches for them, a signal only raises a flag, and the loop ends
// through the ordinary shutdown that saves what it must; at any other moment
// (start-up, a message box waiting for a click) there is nothing to save and
// the process ends at once with status 128 + the signal's number. A second
// signal ends the process at once too, even in the middle of a long frame,
// after writing the last words it was given (if any) to their file.
#pragma once

#include <string>

// Installs the handlers; SDL is told to leave the two signals alone.
void installStopSignals();
void watchStopSignals(bool watched);
bool stopSignalsWatched();
bool stopRequested();

// The file a second signal writes before the process ends, and its bytes
// (copied). An empty path clears them. The file is written with plain system
// calls, the only ones safe in a signal handler.
void setLastWords(const std::string& path, const std::string& bytes);
