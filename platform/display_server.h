// Whether the system offers a display to open windows on. Linux has none
// without an X or Wayland server (a build machine, a test run without Xvfb);
// Windows always has its desktop. Each system has its version in its subfolder.
#pragma once

// True when no display server is reachable, so that only SDL's off-screen
// video driver can work.
bool noDisplayServer();
