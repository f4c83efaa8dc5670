// Ctrl-C (SIGINT) and SIGTERM end the player at any moment. While the frame
// loop watches for them, a signal only raises a flag, and the loop ends
// through the ordinary shutdown that saves what it must; at any other moment
// (start-up, a message box waiting for a click) there is nothing to save and
// the process ends at once with status 128 + the signal's number.
#pragma once

// Installs the handlers; SDL is told to leave the two signals alone.
void installStopSignals();
void watchStopSignals(bool watched);
bool stopSignalsWatched();
bool stopRequested();
