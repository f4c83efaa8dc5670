// The message path: stderr always, a message box when a window is open.
#include "platform/message.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "platform/stop_signals.h"
#include "platform/window.h"

namespace {

bool debugChannel = getenv("VELMIRA_DEBUG") != nullptr;
bool boxesDisabled = false;
int noteCount = 0;
FatalDiversion fatalDiversion = nullptr;

bool dialogsAllowed() {
  return !boxesDisabled && getenv("VELMIRA_NO_DIALOGS") == nullptr && SDL_WasInit(SDL_INIT_VIDEO) &&
         SDL_GL_GetCurrentWindow() != nullptr;
}

// A question needs a display to be asked on, not a window of our own: it may
// come before the show window opens.
bool questionsAllowed() {
  return !boxesDisabled && getenv("VELMIRA_NO_DIALOGS") == nullptr && SDL_WasInit(SDL_INIT_VIDEO) &&
         hasRealDisplay();
}

void writeToStderr(std::string_view caption, std::string_view text) {
  std::string out;
  if (!caption.empty()) out.append(caption).append("\n");
  out.append(text);
  if (out.empty() || out.back() != '\n') out.push_back('\n');
  fwrite(out.data(), 1, out.size(), stderr);
  fflush(stderr);
}

// A box waits for a click; a stop signal meanwhile ends the process at once.
struct UnwatchedWhileBoxShows {
  bool watched = stopSignalsWatched();
  UnwatchedWhileBoxShows() { watchStopSignals(false); }
  ~UnwatchedWhileBoxShows() { watchStopSignals(watched); }
};

Uint32 boxFlags(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error: return SDL_MESSAGEBOX_ERROR;
    case MessageIcon::Exclamation: return SDL_MESSAGEBOX_WARNING;
    case MessageIcon::Information: break;
  }
  return SDL_MESSAGEBOX_INFORMATION;
}

}  // namespace

void showMessage(std::string_view caption, std::string_view text, MessageIcon icon) {
  writeToStderr(caption, text);
  if (!dialogsAllowed()) return;
  const std::string title(caption.empty() ? "Error" : caption);
  const UnwatchedWhileBoxShows unwatched;
  SDL_ShowSimpleMessageBox(boxFlags(icon), title.c_str(), std::string(text).c_str(), nullptr);
}

void divertFatalMessages(FatalDiversion diversion) { fatalDiversion = diversion; }

void fatalMessage(std::string_view caption, std::string_view text) {
  if (fatalDiversion) fatalDiversion(caption, text);
  showMessage(caption, text, MessageIcon::Error);
  exit(kExitFailure);
}

bool askYesNo(std::string_view caption, std::string_view text) {
  writeToStderr(caption, text);
  if (!questionsAllowed()) return false;
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
  };
  const std::string title(caption), body(text);
  const SDL_MessageBoxData box = {SDL_MESSAGEBOX_WARNING, nullptr, title.c_str(), body.c_str(),
                                  2, buttons, nullptr};
  int pressed = 0;
  const UnwatchedWhileBoxShows unwatched;
  return SDL_ShowMessageBox(&box, &pressed) == 0 && pressed == 1;
}

void disableMessageBoxes() { boxesDisabled = true; }

// A note repeated (a count held every frame, a file loaded by several
// effects) is given once.
void noteMessage(std::string_view text) {
  static std::set<std::string, std::less<>> given;
  if (given.contains(text)) return;
  given.emplace(text);
  writeToStderr("", text);
  ++noteCount;
}

int notesGiven() { return noteCount; }

void setDebugChannel(bool enabled) { debugChannel = enabled; }
bool debugChannelEnabled() { return debugChannel; }

void debugPrint(std::string_view text) {
  if (!debugChannel) return;
  fwrite(text.data(), 1, text.size(), stderr);
}
