// How a command-line tool's process behaves, unlike the player's: it never
// opens a message box (nobody may be there to click it) and Ctrl-C and
// SIGTERM end it at once, also while a hidden window exists.
#pragma once

// Call first thing in main, before any window or audio is opened.
void setUpToolProcess();
