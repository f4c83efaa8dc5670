// The show window, its GL context and the key state, on SDL2.
#include "platform/window.h"

#include <SDL.h>

#include <cstring>

#include "platform/console_window.h"
#include "platform/display_server.h"
#include "platform/keys.h"

namespace {

SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
WindowFailure failure = WindowFailure::None;

bool fail(WindowFailure step, std::string& error, std::string text) {
  failure = step;
  error = std::move(text);
  return false;
}

bool initVideo(std::string& error) {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  // Without a display only the off-screen driver can work; naming it spares
  // the other drivers' complaints.
  if (noDisplayServer()) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
  error = SDL_GetError();
  return false;
}

Uint32 windowFlags(const WindowRequest& request, const DisplaySize& desktop) {
  Uint32 flags = SDL_WINDOW_OPENGL;
  flags |= request.hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN;
  if (request.fullscreen) {
    const bool desktopLargeEnough =
        desktop.width >= request.width && desktop.height >= request.height;
    // The display mode changes only when the desktop is too small; SDL
    // restores it when the window goes.
    flags |= desktopLargeEnough ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_FULLSCREEN;
  }
  return flags;
}

void requestCompatibilityContext() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);  // the frame keeps no alpha
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
}

SDL_Scancode scancodeFor(int virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z')
    return static_cast<SDL_Scancode>(SDL_SCANCODE_A + (virtualKey - 'A'));
  if (virtualKey >= '1' && virtualKey <= '9')
    return static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (virtualKey - '1'));
  switch (virtualKey) {
    case '0': return SDL_SCANCODE_0;
    case VK_BACK: return SDL_SCANCODE_BACKSPACE;
    case VK_TAB: return SDL_SCANCODE_TAB;
    case VK_RETURN: return SDL_SCANCODE_RETURN;
    case VK_ESCAPE: return SDL_SCANCODE_ESCAPE;
    case VK_SPACE: return SDL_SCANCODE_SPACE;
    case VK_LEFT: return SDL_SCANCODE_LEFT;
    case VK_UP: return SDL_SCANCODE_UP;
    case VK_RIGHT: return SDL_SCANCODE_RIGHT;
    case VK_DOWN: return SDL_SCANCODE_DOWN;
    case VK_DELETE: return SDL_SCANCODE_DELETE;
    case VK_ADD: return SDL_SCANCODE_KP_PLUS;
    case VK_SUBTRACT: return SDL_SCANCODE_KP_MINUS;
    case VK_LSHIFT: return SDL_SCANCODE_LSHIFT;
    case VK_RSHIFT: return SDL_SCANCODE_RSHIFT;
    case VK_OEM_PLUS: return SDL_SCANCODE_MINUS;
    case VK_OEM_COMMA: return SDL_SCANCODE_COMMA;
    case VK_OEM_MINUS: return SDL_SCANCODE_SLASH;
    case VK_OEM_PERIOD: return SDL_SCANCODE_PERIOD;
    case VK_OEM_2: return SDL_SCANCODE_BACKSLASH;
    case VK_OEM_3: return SDL_SCANCODE_SEMICOLON;
    case VK_OEM_7: return SDL_SCANCODE_APOSTROPHE;
    default: return SDL_SCANCODE_UNKNOWN;
  }
}


// SDL unloads the GL library with the last window; holding one reference of
// our own keeps the driver loaded until the process ends, so closing and
// reopening windows (tools, tests) never reloads it.
void holdGlLibrary() {
  static bool held = false;
  if (!held) held = SDL_GL_LoadLibrary(nullptr) == 0;
}

bool isWindowMessage(const SDL_Event& event) {
  return event.type == SDL_QUIT ||
         (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
}

}  // namespace

bool hasRealDisplay() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && strcmp(driver, "offscreen") != 0 && strcmp(driver, "dummy") != 0;
}

bool queryDesktop(DisplaySize& desktop, std::string& error) {
  if (!initVideo(error)) return false;
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
    error = SDL_GetError();
    return false;
  }
  desktop = {mode.w, mode.h};
  return true;
}

std::vector<DisplayMode> displayModes() {
  std::vector<DisplayMode> modes;
  std::string error;
  if (!initVideo(error)) return modes;
  for (int i = 0; i < SDL_GetNumDisplayModes(0); ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0)
      modes.push_back({mode.w, mode.h, int(SDL_BYTESPERPIXEL(mode.format))});
  }
  return modes;
}

bool openWindow(const WindowRequest& request, std::string& error) {
  failure = WindowFailure::None;
  DisplaySize desktop;
  if (!queryDesktop(desktop, error)) return fail(WindowFailure::NoDisplay, error, error);
  if (!request.hidden && !hasRealDisplay())
    return fail(WindowFailure::NoDisplay, error, "no display to open a window on (is DISPLAY set?)");
  requestCompatibilityContext();
  holdGlLibrary();
  window = SDL_CreateWindow(request.title.c_str(), 0, 0, request.width, request.height,
                            windowFlags(request, desktop));
  if (!window) return fail(WindowFailure::PixelFormat, error, SDL_GetError());
  context = SDL_GL_CreateContext(window);
  if (!context) {
    closeWindow();
    return fail(WindowFailure::Context, error, "Can't Create A GL Rendering Context.");
  }
  if (SDL_GL_MakeCurrent(window, context) != 0) {
    closeWindow();
    return fail(WindowFailure::Activate, error, "Can't Activate GLRC.");
  }
  SDL_GL_SetSwapInterval(0);
  if (!request.hidden) hideOwnConsoleWindow();
  return true;
}

WindowFailure lastWindowFailure() { return failure; }

void closeWindow() {
  if (context) SDL_GL_DeleteContext(context);
  if (window) SDL_DestroyWindow(window);
  context = nullptr;
  window = nullptr;
}

bool windowIsOpen() { return window != nullptr; }

DisplaySize windowSize() {
  DisplaySize size;
  if (window) SDL_GL_GetDrawableSize(window, &size.width, &size.height);
  return size;
}

void setWindowTitle(const std::string& title) {
  if (window) SDL_SetWindowTitle(window, title.c_str());
}

void swapWindow() {
  if (window) SDL_GL_SwapWindow(window);
}

bool windowHasFocus() {
  return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void showCursor(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void pumpWindowEvents() {
  SDL_PumpEvents();
  // Keys are read as state, so their events are of no further use; dropping
  // them keeps the queue to the window messages.
  SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
}

bool queueWindowClose() {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_CLOSE;
  return SDL_PushEvent(&event) == 1;
}

WindowMessage takeWindowMessage() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (!isWindowMessage(event)) continue;
    return event.type == SDL_QUIT ? WindowMessage::Quit : WindowMessage::Close;
  }
  return WindowMessage::None;
}

bool isKeyDown(int virtualKey) {
  if (virtualKey == VK_SHIFT) return isKeyDown(VK_LSHIFT) || isKeyDown(VK_RSHIFT);
  const SDL_Scancode code = scancodeFor(virtualKey);
  if (code == SDL_SCANCODE_UNKNOWN) return false;
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  return code < count && state[code] != 0;
}

void* glProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }
