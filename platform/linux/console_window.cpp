#include "platform/console_window.h"

// A Linux program never gets a terminal window it did not start in.
void hideOwnConsoleWindow() {}
