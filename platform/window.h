// The show window and its OpenGL compatibility context (SDL2 underneath).
//
// One window per process. Full screen uses the desktop's own mode when the
// desktop is at least the requested size and switches the display mode only
// when it is smaller. A hidden window gives a GL context for tools and tests
// that draw off-screen.
#pragma once

#include <string>
#include <vector>

struct DisplaySize {
  int width = 0;
  int height = 0;
};

struct WindowRequest {
  int width = 1024;
  int height = 768;
  bool fullscreen = false;
  bool hidden = false;
  std::string title;
};

struct DisplayMode {
  int width = 0;
  int height = 0;
  int bytesPerPixel = 0;
};

// Which step of opening the window failed.
enum class WindowFailure { None, NoDisplay, PixelFormat, Context, Activate };

enum class WindowMessage { None, Quit, Close };

// Initialises video and reports the desktop size; false when no display exists.
bool queryDesktop(DisplaySize& desktop, std::string& error);
// Whether video runs on a display a person can see. Without one SDL falls
// back to drivers that draw nowhere, which serve hidden windows only.
bool hasRealDisplay();
// The display modes the primary display offers, in the platform's order.
std::vector<DisplayMode> displayModes();

// Opens the window and makes its GL context current. On failure `error`
// holds the reason and nothing stays open.
bool openWindow(const WindowRequest& request, std::string& error);
WindowFailure lastWindowFailure();
void closeWindow();
bool windowIsOpen();
// The drawable size in pixels (the screen's in full screen).
DisplaySize windowSize();

void setWindowTitle(const std::string& title);
void swapWindow();
bool windowHasFocus();
void showCursor(bool visible);

// Brings the key state and focus up to date; call once per frame.
void pumpWindowEvents();
// Queues the window manager's request to close the show window, as its close
// button does (tests). False while no event queue exists yet.
bool queueWindowClose();
// Takes at most one window message (quit or close) off the queue.
WindowMessage takeWindowMessage();

// Entry points of the current GL context, by name.
void* glProcAddress(const char* name);
