// Opening the show window: whether the display can take the chosen
// full-screen size (else the viewer is asked whether to play in a window),
// and the message each failed step of opening the window shows.
#pragma once

#include <vector>

#include "app/engine_state.h"
#include "platform/message.h"
#include "platform/window.h"

inline constexpr const char* kFullscreenQuestionCaption = "OPENGL";
inline constexpr const char* kFullscreenQuestion =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?";

// A desktop at least as large as the size is used as it is; a smaller one
// must offer a mode of exactly that size.
bool displayTakesFullscreen(int width, int height, DisplaySize desktop,
                            const std::vector<DisplayMode>& modes);

struct WindowFailureMessage {
  const char* caption;
  const char* text;
  MessageIcon icon;
};
WindowFailureMessage windowFailureMessage(WindowFailure failure);
