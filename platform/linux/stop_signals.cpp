#include "platform/stop_signals.h"

#include <SDL.h>
#include <unistd.h>

#include <fcntl.h>

#include <atomic>
#include <csignal>
#include <cstring>

namespace {

volatile sig_atomic_t watching = 0;
volatile sig_atomic_t requested = 0;

struct LastWords {
  std::string path;
  std::string bytes;
};
std::atomic<const LastWords*> lastWords{nullptr};
LastWords lastWordsSlots[2];
int nextSlot = 0;

void say(const char* text) {
  if (write(STDERR_FILENO, text, strlen(text)) < 0) return;
}

void writeLastWords() {
  const LastWords* words = lastWords.load();
  if (!words) return;
  const int fd = open(words->path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const std::string& bytes = words->bytes;
  const bool written = fd >= 0 && write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
  if (fd >= 0) close(fd);
  say(written ? "velmira: stopped at once; the comments of this session are in "
              : "velmira: stopped at once; the comments of this session could not be written to ");
  say(words->path.c_str());
  say("\n");
}

void onStopSignal(int signalNumber) {
  if (!watching) _exit(128 + signalNumber);
  if (requested) {
    writeLastWords();
    _exit(128 + signalNumber);
  }
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

// Two slots: the one being filled is never the one the handler may read.
void setLastWords(const std::string& path, const std::string& bytes) {
  if (path.empty()) {
    lastWords.store(nullptr);
    return;
  }
  LastWords& slot = lastWordsSlots[nextSlot];
  nextSlot = 1 - nextSlot;
  slot.path = path;
  slot.bytes = bytes;
  lastWords.store(&slot);
}
