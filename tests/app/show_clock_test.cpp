#include "app/show_clock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

ClockKeys focused() {
  ClockKeys keys;
  keys.hasFocus = true;
  return keys;
}

struct ClockRun {
  ShowClock clock;
  std::vector<float> marks;
  uint32_t now = 1000;

  explicit ClockRun(float start = 0.0f) { startShowClock(clock, start, now); }

  MusicAction frame(uint32_t stepMs, ClockKeys keys = focused()) {
    now += stepMs;
    return advanceShowClock(clock, now, keys, true, marks);
  }
};

}  // namespace

TEST(ShowClock, StartsAtTheStartTime) {
  ClockRun run(30.5f);
  EXPECT_TRUE(run.clock.resync);
  run.frame(0);
  EXPECT_FLOAT_EQ(run.clock.currentTime, 30.5f);
  run.frame(100);
  EXPECT_NEAR(run.clock.currentTime, 30.6f, 1e-4);
  EXPECT_NEAR(run.clock.frameTimeStep, 0.1f, 1e-4);
}

TEST(ShowClock, PauseHoldsTimeAndResumeResyncs) {
  ClockRun run(10.0f);
  run.frame(100);
  ClockKeys space = focused();
  space.space = true;
  EXPECT_EQ(run.frame(10, space), MusicAction::Pause);
  const float paused = run.clock.currentTime;
  EXPECT_EQ(run.frame(500, space), MusicAction::None);  // held: acts once
  run.frame(500);
  EXPECT_FLOAT_EQ(run.clock.currentTime, paused);
  run.clock.resync = false;
  EXPECT_EQ(run.frame(10, space), MusicAction::Resume);
  EXPECT_TRUE(run.clock.resync);
  run.frame(100);
  // The resume frame's own 10 ms already count.
  EXPECT_NEAR(run.clock.currentTime, paused + 0.11f, 1e-3);
}

TEST(ShowClock, WindingBelowZeroIsUndone) {
  ClockRun run(0.05f);
  ClockKeys left = focused();
  left.left = true;
  for (int i = 0; i < 10; ++i) {
    run.frame(20, left);
    EXPECT_GE(run.clock.currentTime, 0.0f);
  }
}

TEST(ShowClock, WindingSpeeds) {
  ClockRun run(50.0f);
  run.frame(0);
  ClockKeys right = focused();
  right.right = true;
  run.frame(10, right);
  EXPECT_NEAR(run.clock.currentTime, 50.0f + 0.01f + 0.4f, 1e-3);
  right.leftShift = true;
  run.frame(10, right);
  EXPECT_NEAR(run.clock.currentTime, 50.41f + 0.01f + 0.05f, 1e-3);
  right.hasFocus = false;
  run.frame(10, right);
  EXPECT_NEAR(run.clock.currentTime, 50.47f + 0.01f, 1e-3);
}

TEST(ShowClock, SeekingWalksIn200msSteps) {
  ClockRun run(0.0f);
  run.marks = {1.0f, 5.0f};
  run.clock.offsetMs = 2000;  // the time was wound to 2 s
  run.frame(0);
  ClockKeys plus = focused();
  plus.add = true;
  run.frame(0, plus);  // the first mark after 2 s: 5.0
  EXPECT_EQ(run.clock.seekIndex, 1);
  EXPECT_TRUE(run.clock.seeking);
  EXPECT_NEAR(run.clock.currentTime, 2.2f, 1e-4);
  int frames = 0;
  while (run.clock.seeking && frames < 100) {
    run.frame(0);
    ++frames;
  }
  EXPECT_NEAR(frames, 14, 1);
  EXPECT_NEAR(run.clock.currentTime, 5.0f, 0.21f);
  EXPECT_TRUE(run.clock.resync);
}

TEST(ShowClock, SeekMarksFollowTheCurrentTime) {
  ClockRun run(0.0f);
  run.marks = {8.0f, 1.0f, 5.0f, 5.0f};  // in timeline order, not sorted
  run.clock.offsetMs = 7000;
  run.frame(0);
  ClockKeys minus = focused();
  minus.subtract = true;
  run.frame(0, minus);
  EXPECT_EQ(run.clock.seekIndex, 2);  // the last mark before 7 s
  while (run.clock.seeking) run.frame(0);
  run.frame(0);
  run.frame(0, minus);  // arrived near 5 s: the next press goes on to 1 s
  EXPECT_EQ(run.clock.seekIndex, 1);
  while (run.clock.seeking) run.frame(0);

  run.clock.offsetMs = 9000;  // wound past the last mark: + has nowhere to go
  ClockKeys plus = focused();
  plus.add = true;
  run.frame(0);
  run.frame(0, plus);
  EXPECT_FALSE(run.clock.seeking);
}

TEST(ShowClock, SeekKeysDoNothingWithoutMarksOrWithoutRewind) {
  ClockRun run(3.0f);
  ClockKeys keys = focused();
  keys.add = keys.subtract = true;
  run.frame(0, keys);
  EXPECT_FALSE(run.clock.seeking);
  EXPECT_FLOAT_EQ(run.clock.currentTime, 3.0f);

  ShowClock clock;
  startShowClock(clock, 3.0f, 0);
  keys.left = true;
  advanceShowClock(clock, 100, keys, false, {1.0f});
  EXPECT_NEAR(clock.currentTime, 3.1f, 1e-4);
}

TEST(ShowClock, HugeNegativeOrNanStartTimesStaySane) {
  ClockRun huge(1e30f);
  huge.frame(16);
  EXPECT_TRUE(std::isfinite(huge.clock.currentTime));
  EXPECT_GE(huge.clock.currentTime, 141.0f);  // past the end: the show ends at once
  ClockRun notANumber(std::nanf(""));
  notANumber.frame(100);
  EXPECT_NEAR(notANumber.clock.currentTime, 0.1f, 1e-4);
  ClockRun negative(-5.0f);
  negative.frame(100);
  EXPECT_NEAR(negative.clock.currentTime, 0.1f, 1e-4);
}
