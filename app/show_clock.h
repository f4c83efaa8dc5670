// The show clock: turns the millisecond clock and the developer keys into the
// show time of each frame. Pure logic, fed with the time and the keys, so it
// is tested without a window.
//
// The show time is (elapsed wall time + offset). Pausing, winding and seeking
// only move the offset; a wind that would take the time below zero is undone
// for that frame. Every jump asks for the music to be repositioned (resync).
// Numpad + seeks to the first mark after the current time and numpad - to
// the last one before it, wherever winding or playing has taken the time.
#pragma once

#include <cstdint>
#include <vector>

struct ClockKeys {
  bool hasFocus = false;
  bool add = false;       // numpad +
  bool subtract = false;  // numpad -
  bool space = false;
  bool left = false;
  bool right = false;
  bool leftShift = false;
  bool editingComment = false;
};

struct ShowClock {
  uint32_t startTick = 0;
  int64_t offsetMs = 0;
  int64_t previousElapsed = 0;
  float currentTime = 0.0f;
  float frameTimeStep = 0.0f;
  bool resync = true;
  bool paused = false;
  bool seeking = false;
  int seekIndex = 0;
  bool addLatch = false;
  bool subtractLatch = false;
  bool spaceLatch = false;
};

// What the frame loop must do for the music after a clock step.
enum class MusicAction { None, Pause, Resume };

// A start time below zero or not a number starts at 0; one beyond a
// billion seconds is held there.
void startShowClock(ShowClock& clock, float demoStartTime, uint32_t now);

// One frame: reads the keys (only when rewindEnabled), advances the clock and
// sets currentTime and frameTimeStep.
MusicAction advanceShowClock(ShowClock& clock, uint32_t now, const ClockKeys& keys,
                             bool rewindEnabled, const std::vector<float>& seekMarks);
