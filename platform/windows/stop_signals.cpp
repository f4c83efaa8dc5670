#include "platform/stop_signals.h"

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

// Windows raises SIGINT for Ctrl-C (and Ctrl-Break) on a thread of its own;
// SIGTERM comes only from raise(). The handler is installed again each time,
// as Windows resets it to the default before calling it.
namespace {

volatile sig_atomic_t watching = 0;
volatile sig_atomic_t requested = 0;

std::mutex lastWordsLock;
std::string lastWordsPath, lastWordsBytes;

// The handler runs on a thread of its own here, so it may take a lock and
// use the C library.
void writeLastWords() {
  const std::lock_guard<std::mutex> hold(lastWordsLock);
  if (lastWordsPath.empty()) return;
  FILE* file = fopen(lastWordsPath.c_str(), "wb");
  const bool written = file && fwrite(lastWordsBytes.data(), 1, lastWordsBytes.size(), file) ==
                                   lastWordsBytes.size();
  if (file) fclose(file);
  fprintf(stderr, "velmira: stopped at once; the comments of this session %s %s\n",
          written ? "are in" : "could not be written to", lastWordsPath.c_str());
}

void onStopSignal(int signalNumber) {
  if (!watching) std::_Exit(128 + signalNumber);
  if (requested) {
    writeLastWords();
    std::_Exit(128 + signalNumber);
  }
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

void setLastWords(const std::string& path, const std::string& bytes) {
  const std::lock_guard<std::mutex> hold(lastWordsLock);
  lastWordsPath = path;
  lastWordsBytes = bytes;
}
