#include "app/show_clock.h"

#include <algorithm>
#include <cmath>

namespace {

// True once per press: the latch holds until the key is released.
bool pressedOnce(bool down, bool& latch) {
  const bool pressed = down && !latch;
  latch = down;
  return pressed;
}

// A seek arrives within 0.2 s of its mark, so marks that near count as
// reached: the next press goes on to the mark beyond.
constexpr float kSeekArrival = 0.2f;

// The first mark after the current time (step +1) or the last one before it
// (step -1); -1 when there is none that way.
int markBeside(const std::vector<float>& marks, float currentTime, int step) {
  int found = -1;
  for (int i = 0; i < static_cast<int>(marks.size()); ++i) {
    const float mark = marks[i];
    const bool beyond = step > 0 ? mark > currentTime + kSeekArrival : mark < currentTime - kSeekArrival;
    if (!beyond) continue;
    if (found < 0 || (step > 0 ? mark < marks[found] : mark > marks[found])) found = i;
  }
  return found;
}

void startSeek(ShowClock& clock, int step, const std::vector<float>& marks) {
  const int mark = markBeside(marks, clock.currentTime, step);
  if (mark < 0) return;
  clock.seekIndex = mark;
  clock.seeking = true;
}

void seekKeys(ShowClock& clock, const ClockKeys& keys, const std::vector<float>& marks) {
  const bool add = pressedOnce(keys.hasFocus && keys.add, clock.addLatch);
  const bool subtract = pressedOnce(keys.hasFocus && keys.subtract, clock.subtractLatch);
  if (marks.empty() || clock.seeking) return;
  if (add)
    startSeek(clock, +1, marks);
  else if (subtract)
    startSeek(clock, -1, marks);
}

// Walks the offset towards the mark in 200 ms steps.
void seekStep(ShowClock& clock, const std::vector<float>& marks) {
  if (!clock.seeking) return;
  const float mark = marks[clock.seekIndex];
  if (clock.currentTime < mark) {
    clock.offsetMs += 200;
    if (clock.currentTime + 0.2f > mark) clock.seeking = false;
  } else {
    clock.offsetMs -= 200;
    if (clock.currentTime - 0.2f < mark) clock.seeking = false;
  }
  clock.resync = true;
}

MusicAction pauseKey(ShowClock& clock, const ClockKeys& keys) {
  const bool space = pressedOnce(keys.hasFocus && keys.space, clock.spaceLatch);
  if (!space || keys.editingComment) return MusicAction::None;
  clock.paused = !clock.paused;
  if (clock.paused) return MusicAction::Pause;
  clock.resync = true;
  return MusicAction::Resume;
}

void windKeys(ShowClock& clock, const ClockKeys& keys, int64_t dtMs) {
  const int64_t speed = keys.leftShift ? 5 : 40;
  if (keys.left) {
    clock.offsetMs -= speed * dtMs;
    clock.resync = true;
  }
  if (keys.right) {
    clock.offsetMs += speed * dtMs;
    clock.resync = true;
  }
}

// The show time never goes below zero, so neither does the start; a start
// that is no number starts at 0, and one beyond a billion seconds is held
// there, so the offset fits its integer and the show still ends (any start
// past the end ends it after the first frame).
float saneStartTime(float demoStartTime) {
  constexpr float kLimit = 1e9f;
  if (std::isnan(demoStartTime)) return 0.0f;
  return std::clamp(demoStartTime, 0.0f, kLimit);
}

}  // namespace

void startShowClock(ShowClock& clock, float demoStartTime, uint32_t now) {
  const float start = saneStartTime(demoStartTime);
  clock = ShowClock();
  clock.startTick = now;
  clock.offsetMs = static_cast<int64_t>(start * 1000.0f);
  clock.currentTime = start;
  clock.resync = true;
}

MusicAction advanceShowClock(ShowClock& clock, uint32_t now, const ClockKeys& keys,
                             bool rewindEnabled, const std::vector<float>& seekMarks) {
  const int64_t elapsed = static_cast<uint32_t>(now - clock.startTick);
  const int64_t dtMs = elapsed - clock.previousElapsed;
  clock.previousElapsed = elapsed;

  MusicAction music = MusicAction::None;
  int64_t offsetBeforeArrows = clock.offsetMs;
  if (rewindEnabled) {
    seekKeys(clock, keys, seekMarks);
    seekStep(clock, seekMarks);
    music = pauseKey(clock, keys);
    offsetBeforeArrows = clock.offsetMs;
    if (clock.paused)
      clock.offsetMs -= dtMs;
    else if (keys.hasFocus)
      windKeys(clock, keys, dtMs);
  }

  int64_t total = elapsed + clock.offsetMs;
  if (total < 0) {
    clock.offsetMs = offsetBeforeArrows;
    total = elapsed + clock.offsetMs;
  }
  const float time = static_cast<float>(total) * 0.001f;
  clock.frameTimeStep = time - clock.currentTime;
  clock.currentTime = time;
  return music;
}
