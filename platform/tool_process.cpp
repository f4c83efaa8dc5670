#include "platform/tool_process.h"

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "platform/message.h"

namespace {

char halfWritten[4096];

void onStopSignal(int signalNumber) {
  if (halfWritten[0]) std::remove(halfWritten);
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

}  // namespace

void removeWhenStopped(const std::string& path) {
  const bool fits = path.size() < sizeof halfWritten;
  halfWritten[0] = '\0';
  if (!fits || path.empty()) {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    return;
  }
  std::memcpy(halfWritten, path.c_str(), path.size() + 1);
  std::signal(SIGINT, onStopSignal);
  std::signal(SIGTERM, onStopSignal);
}

void setUpToolProcess() {
  disableMessageBoxes();
  // SDL would otherwise turn both signals into a quit event that no tool reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
}
