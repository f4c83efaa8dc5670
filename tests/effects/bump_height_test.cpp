// The bump height effect: luminance slopes taken four output pixels either
// side (the output here twice as wide as the render: two texels across, four
// up), clamped at the borders; a flat frame gives level slopes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "support/effect_harness.h"

namespace {

constexpr int kWidth = kTestRenderWidth, kHeight = kTestRenderHeight;

float luminance(const Rgba8& c) { return (0.299f * c.r + 0.587f * c.g + 0.114f * c.b) / 255; }

void expectBump(const Rgba8& got, float r, float g, float b, int x, int y) {
  const float tolerance = 2.0f / 255;
  EXPECT_NEAR(got.r / 255.0f, r, tolerance) << x << ", " << y;
  EXPECT_NEAR(got.g / 255.0f, g, tolerance) << x << ", " << y;
  EXPECT_NEAR(got.b / 255.0f, b, tolerance) << x << ", " << y;
}

class BumpHeight : public EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    setOutputSize(2 * kWidth, kHeight);
  }
  void TearDown() override { setOutputSize(1024, 768); }
};

}  // namespace

TEST_F(BumpHeight, SlopesAndLuminanceOfAPictureClampedAtTheBorders) {
  std::vector<Rgba8> source(kWidth * kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      source[y * kWidth + x] = {uint8_t(x * 4), uint8_t((x * 29 + y * 53) % 256), uint8_t(y * 8), 255};
  setPoolTexture("bumpSource", kWidth, kHeight, source);
  renderFrame(*loadTestEffect("code = bumpheight\ntexture textureIn = \"bumpSource\";\n"), 1.0f);
  const Frame frame = readFrame();
  auto l = [&](int x, int y) {
    return luminance(source[std::clamp(y, 0, kHeight - 1) * kWidth + std::clamp(x, 0, kWidth - 1)]);
  };
  for (int y = 0; y < kHeight; y += 3)
    for (int x = 0; x < kWidth; x += 3)
      expectBump(frame.at(x, y), (l(x - 2, y) - l(x + 2, y)) * 0.5f + 0.5f,
                 (l(x, y - 4) - l(x, y + 4)) * 0.5f + 0.5f, l(x, y), x, y);
}

TEST_F(BumpHeight, FlatFrameGivesLevelSlopesAndGoesToTextureOut) {
  auto effect = loadTestEffect("code = bumpheight\nstring textureIn = \"\";\n",
                               testEntry(0, 10, {}, {}, {"bumpOut"}));
  bindFrameTarget();
  glViewport(0, 0, kWidth, kHeight);
  glClearColor(0.6f, 0.4f, 0.2f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  effect->render(1.0f, 0.0f);
  const Frame frame = readFrame();
  EXPECT_TRUE(samePixels(frame, readPoolTexture("bumpOut")));
  for (int y = 0; y < kHeight; y += 5)
    for (int x = 0; x < kWidth; x += 7) expectBump(frame.at(x, y), 0.5f, 0.5f, luminance({153, 102, 51, 255}), x, y);
}
