#include "app/window_setup.h"

#include <gtest/gtest.h>

TEST(WindowSetup, FullscreenNeedsALargeEnoughDesktopOrAMatchingMode) {
  const std::vector<DisplayMode> modes{{1280, 1024, 4}, {800, 600, 4}};
  EXPECT_TRUE(displayTakesFullscreen(1280, 720, {1920, 1080}, {}));
  EXPECT_TRUE(displayTakesFullscreen(800, 600, {640, 480}, modes));
  EXPECT_FALSE(displayTakesFullscreen(1920, 1080, {1280, 1024}, modes));
}
