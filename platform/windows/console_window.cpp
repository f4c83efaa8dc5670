#include "platform/console_window.h"

// The GL header's stand-ins for three words of windows.h (see
// cmake/dependencies-windows.cmake) give way to the real ones here.
#undef APIENTRY
#undef CALLBACK
#undef WINGDIAPI
#include <windows.h>

void hideOwnConsoleWindow() {
  HWND console = GetConsoleWindow();
  DWORD processes[2];
  // One process on the console: it was made for this one and nobody types in it.
  if (console && GetConsoleProcessList(processes, 2) == 1) ShowWindow(console, SW_HIDE);
}
