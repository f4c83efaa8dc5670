#include "app/presentation.h"

#include <gtest/gtest.h>

TEST(RenderSize, LargestPowerOfTwoNotAbove) {
  EXPECT_EQ(largestPowerOfTwo(1280), 1024);
  EXPECT_EQ(largestPowerOfTwo(720), 512);
  EXPECT_EQ(largestPowerOfTwo(1024), 1024);
  EXPECT_EQ(largestPowerOfTwo(640), 512);
  EXPECT_EQ(largestPowerOfTwo(480), 256);
  EXPECT_EQ(largestPowerOfTwo(1), 1);
  EXPECT_EQ(largestPowerOfTwo(0), 0);
}

TEST(RenderSize, DerivedFromOutputSizeAndFullscreenUsesDisplayShape) {
  EngineState engine;
  engine.width = 800;
  engine.height = 500;
  engine.displayAspect = 4.0f / 3.0f;
  deriveRenderSize(engine);
  EXPECT_EQ(renderWidth(), 512);
  EXPECT_EQ(renderHeight(), 256);
  EXPECT_FLOAT_EQ(engine.screenAspect, 1.6f);
  engine.fullscreen = true;
  deriveRenderSize(engine);
  EXPECT_FLOAT_EQ(engine.screenAspect, 4.0f / 3.0f);
  EXPECT_EQ(pictureAspect(), kPictureAspect);
}

TEST(Letterbox, FourByThreeWindowGetsCentredBand) {
  const Viewport box = letterboxViewport(1024, 768, 1024.0f / 768.0f, kPictureAspect);
  EXPECT_EQ(box.x, 0);
  EXPECT_EQ(box.y, 96);
  EXPECT_EQ(box.width, 1024);
  EXPECT_EQ(box.height, 576);
}

TEST(Letterbox, WiderThanPictureCutsTopAndBottom) {
  const Viewport box = letterboxViewport(2560, 1080, 2560.0f / 1080.0f, kPictureAspect);
  EXPECT_LT(box.y, 0);
  EXPECT_GT(box.height, 1080);
  const Viewport exact = letterboxViewport(1280, 720, 1280.0f / 720.0f, kPictureAspect);
  EXPECT_EQ(exact.y, 0);
  EXPECT_EQ(exact.height, 720);
}
