#include "platform/display_server.h"

#include <cstdlib>

bool noDisplayServer() { return !getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY"); }
