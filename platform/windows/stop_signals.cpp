#include "platform/stop_signals.h"

#include <SDL.h>

#include <csignal>
#include <cstdlib>

// Windows raises SIGINT for Ctrl-C (and Ctrl-Break) on a thread of its own;
// SIGTERM comes only from raise(). The handler is installed again each time,
// as Windows resets it to the default before calling it.
namespace {

volatile sig_atomic_t watching = 0;
volatile sig_atomic_t requested = 0;

void onStopSignal(int signalNumber) {
  if (!watching) std::_Exit(128 + signalNumber);
  std::signal(signalNumber, onStopSignal);
  requested = 1;
}

}  // namespace

void installStopSignals() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  std::signal(SIGINT, onStopSignal);
  std::signal(SIGTERM, onStopSignal);
}

void watchStopSignals(bool watched) { watching = watched ? 1 : 0; }
bool stopSignalsWatched() { return watching != 0; }

bool stopRequested() { return requested != 0; }
