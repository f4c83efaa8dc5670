#include "platform/tool_process.h"

#include <SDL.h>

#include <csignal>

#include "platform/message.h"

void setUpToolProcess() {
  disableMessageBoxes();
  // SDL would otherwise turn both signals into a quit event that no tool reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
}
