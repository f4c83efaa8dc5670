#include "platform/stop_signals.h"

#include <SDL.h>
#include <unistd.h>

#include <csignal>

namespace {

volatile sig_atomic_t watching = 0;
volatile sig_atomic_t requested = 0;

void onStopSignal(int signalNumber) {
  if (!watching) _exit(128 + signalNumber);
  requested = 1;
}

}  // namespace

void installStopSignals() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void watchStopSignals(bool watched) { watching = watched ? 1 : 0; }
bool stopSignalsWatched() { return watching != 0; }

bool stopRequested() { return requested != 0; }
