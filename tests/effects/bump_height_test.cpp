// The bump height effect over a known picture: luminance slopes taken four
// output pixels either side (with an output twice as wide and as high as the
// render, two texels across and four up), clamped at the borders, and the
// flat case through a copy of the frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "script/error.h"
#include "support/effect_harness.h"

namespace {

constexpr int kWidth = kTestRenderWidth, kHeight = kTestRenderHeight;
constexpr float kTolerance = 2.0f / 255.0f;

float luminance(const Rgba8& c) { return (0.299f * c.r + 0.587f * c.g + 0.114f * c.b) / 255; }

class BumpHeight : public EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    savedOutput_[0] = outputWidth();
    savedOutput_[1] = outputHeight();
    setOutputSize(2 * kWidth, kHeight);
  }
  void TearDown() override { setOutputSize(savedOutput_[0], savedOutput_[1]); }

 private:
  int savedOutput_[2] = {};
};

void expectNear(const Rgba8& got, float r, float g, float b, float a, int x, int y) {
  const float actual[4] = {got.r / 255.0f, got.g / 255.0f, got.b / 255.0f, got.a / 255.0f};
  const float expected[4] = {r, g, b, a};
  for (int c = 0; c < 4; ++c)
    EXPECT_NEAR(actual[c], expected[c], kTolerance) << "pixel (" << x << ", " << y << ") channel " << c;
}

}  // namespace

TEST_F(BumpHeight, SlopesAndLuminanceOfAPictureClampedAtTheBorders) {
  std::vector<Rgba8> source(kWidth * kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      source[y * kWidth + x] = {uint8_t(x * 4), uint8_t((x * 29 + y * 53) % 256), uint8_t(y * 8), 255};
  setPoolTexture("bumpSource", kWidth, kHeight, source);
  auto effect = loadTestEffect("code = bumpheight\ntexture textureIn = \"bumpSource\";\n");
  renderFrame(*effect, 1.0f);
  const Frame frame = readFrame();
  auto l = [&](int x, int y) {
    return luminance(source[std::clamp(y, 0, kHeight - 1) * kWidth + std::clamp(x, 0, kWidth - 1)]);
  };
  for (int y = 0; y < kHeight; y += 3)
    for (int x = 0; x < kWidth; x += 3)
      expectNear(frame.at(x, y), (l(x - 2, y) - l(x + 2, y)) * 0.5f + 0.5f,
                 (l(x, y - 4) - l(x, y + 4)) * 0.5f + 0.5f, l(x, y), 0, x, y);
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
  const Frame out = readPoolTexture("bumpOut");
  const float grey = luminance({153, 102, 51, 255});
  for (int y = 0; y < kHeight; y += 5)
    for (int x = 0; x < kWidth; x += 7) {
      expectNear(frame.at(x, y), 0.5f, 0.5f, grey, 0, x, y);
      expectNear(out.at(x, y), 0.5f, 0.5f, grey, 0, x, y);
    }
}

TEST_F(BumpHeight, MissingFirstParameterIsNamed) {
  auto effect = loadTestEffect("code = bumpheight\n");
  try {
    renderFrame(*effect, 1.0f);
    FAIL() << "no error";
  } catch (const ScriptError& error) {
    EXPECT_EQ(error.caption, kRuntimeErrorCaption);
    EXPECT_NE(error.text.find("texture textureIn"), std::string::npos) << error.text;
  }
}
