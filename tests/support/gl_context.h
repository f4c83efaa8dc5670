// The one hidden GL context of a drawing test binary: opened on first use and
// kept until the process ends, with the GPU programs compiled, the render
// size set and an off-screen frame of the render size as the frame target (the window's own
// framebuffer stays bound until something binds the frame target). Without a
// display the tests fail (run them under xvfb-run): a drawing test that is not
// run must not pass unseen.
#pragma once

#include <gtest/gtest.h>

// The render size every drawing test of a binary uses (2:1 like 1024 x 512).
inline constexpr int kTestRenderWidth = 64;
inline constexpr int kTestRenderHeight = 32;

// False when no GL context can be had.
bool openTestContext();

class GlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openTestContext()) << "no GL context (run under xvfb-run)";
  }
};
