#include "platform/display_server.h"

// Windows draws on its desktop; there is no display variable to look at.
bool noDisplayServer() { return false; }
