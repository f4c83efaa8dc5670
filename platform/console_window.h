// The console window of a program started on its own. On Windows both
// programs are console programs, so that the tool prints where it was called
// from; the player started from Explorer therefore gets a console window of its
// own, which is hidden once the show's window is up. Started from a command
// prompt it shares that console, which stays. Linux has nothing to hide. Each
// system has its version in its subfolder.
#pragma once

// Call when a visible show window has opened.
void hideOwnConsoleWindow();
