#include "app/window_setup.h"

bool displayTakesFullscreen(int width, int height, DisplaySize desktop,
                            const std::vector<DisplayMode>& modes) {
  if (desktop.width >= width && desktop.height >= height) return true;
  for (const DisplayMode& mode : modes) {
    if (mode.width == width && mode.height == height) return true;
  }
  return false;
}

WindowFailureMessage windowFailureMessage(WindowFailure failure) {
  switch (failure) {
    case WindowFailure::NoDisplay:
    case WindowFailure::None:
      break;
    case WindowFailure::PixelFormat:
      return {"Error", "Can't Find A Suitable PixelFormat.", MessageIcon::Error};
    case WindowFailure::Context:
      return {"Error", "Can't Create A GL Rendering Context.", MessageIcon::Error};
    case WindowFailure::Activate:
      return {"Error", "Can't Activate GLRC.", MessageIcon::Error};
  }
  // Without a display no window class can exist.
  return {"ERROR", "Failed To Register The Window Class.", MessageIcon::Exclamation};
}
