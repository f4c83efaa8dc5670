// The glow effect over a known picture at 256 x 256, where every pass samples
// texel centres: the extracted brightness, one blur pass of four shifted,
// flipped copies, and the final sum, against the same steps on the CPU.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>

#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "script/error.h"
#include "support/effect_harness.h"

namespace {

constexpr int kSize = 256;
// The final pass roughly doubles a glow texel's rounding error.
constexpr float kTolerance = 4.0f / 255.0f;
constexpr std::array<float, 3> kLuminance = {0.299f, 0.587f, 0.114f};

using Rgb = std::array<float, 3>;
using Picture = std::vector<Rgb>;  // kSize x kSize, bottom row first

float quantise(float v) { return std::round(std::clamp(v, 0.0f, 1.0f) * 255) / 255; }
float saturate(float v) { return std::clamp(v, 0.0f, 1.0f); }
float luminance(const Rgb& c) { return c[0] * kLuminance[0] + c[1] * kLuminance[1] + c[2] * kLuminance[2]; }

struct GlowSettings {
  float limitSub = 0.35f, limitMul = 2.5f, limitExp = 1.5f;
  int loops = 0;
  float expScreen = 1.2f, expGlow = 0.7f, mulScreen = 0.8f, mulGlow = 1.6f;
};

// Gradients in red and green, a scrambled blue: shifts and flips show.
Picture sourcePicture() {
  Picture picture(kSize * kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      picture[y * kSize + x] = {x / 255.0f, y / 255.0f, ((x * 37 + y * 91) % 256) / 255.0f};
  return picture;
}

Picture limitModel(const Picture& source, const GlowSettings& s) {
  Picture glow(source.size());
  for (size_t i = 0; i < source.size(); ++i) {
    const float shaping = std::pow(luminance(source[i]), s.limitExp);
    for (int c = 0; c < 3; ++c)
      glow[i][c] = quantise(saturate(saturate(source[i][c] - s.limitSub) * s.limitMul) * shaping);
  }
  return glow;
}

// One pass of n: four copies flipped vertically, shifted by +-2 texels in
// each direction (blurSize 4/3 with n = 1), each a quarter, summed.
Picture blurPassModel(const Picture& glow) {
  Picture out(glow.size());
  auto at = [&](int x, int y) {
    return glow[std::clamp(y, 0, kSize - 1) * kSize + std::clamp(x, 0, kSize - 1)];
  };
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      for (int c = 0; c < 3; ++c) {
        float sum = 0;
        for (int dy : {-2, 2})
          for (int dx : {-2, 2}) sum += 0.25f * at(x + dx, kSize - 1 - y + dy)[c];
        out[y * kSize + x][c] = quantise(sum);
      }
  return out;
}

Rgb finalModel(const Rgb& source, const Rgb& glow, const GlowSettings& s) {
  const float shapeSource = std::pow(luminance(source), s.expScreen);
  const float shapeGlow = std::pow(luminance(glow), s.expGlow);
  Rgb out;
  for (int c = 0; c < 3; ++c)
    out[c] = saturate(saturate(saturate(source[c] * s.mulScreen) * shapeSource) +
                      saturate(saturate(glow[c] * s.mulGlow) * shapeGlow));
  return out;
}

std::string glowDefinition(const GlowSettings& s) {
  char text[1024];
  snprintf(text, sizeof text,
           "code = glow\nfloat limitSub = %g;\nfloat limitMul = %g;\nfloat limitExp = %g;\n"
           "texture textureIn = \"glowSource\";\nfloat glowFactor = 0.25;\nint loops = %d;\n"
           "float blurSize = %f;\nfloat expScreen = %g;\nfloat expGlow = %g;\n"
           "float mulScreen = %g;\nfloat mulGlow = %g;\n",
           s.limitSub, s.limitMul, s.limitExp, s.loops, 4.0 / 3.0 * s.loops, s.expScreen,
           s.expGlow, s.mulScreen, s.mulGlow);
  return text;
}

// The glow works at 256 x 256 whatever the render size; the frame is made
// that size too, so the final pass also samples texel centres.
class Glow : public EffectTest {
 protected:
  void expectGlow(const GlowSettings& settings, const Picture& glow) {
    const Picture source = sourcePicture();
    std::vector<Rgba8> pixels;
    for (const Rgb& c : source)
      pixels.push_back({uint8_t(c[0] * 255 + 0.5f), uint8_t(c[1] * 255 + 0.5f),
                        uint8_t(c[2] * 255 + 0.5f), 255});
    setPoolTexture("glowSource", kSize, kSize, pixels);
    const ScopedRenderSize size(kSize, kSize);
    auto effect = loadTestEffect(glowDefinition(settings), testEntry(0, 10, {}, {}, {"glowOut"}));
    renderFrame(*effect, 1.0f);
    const Frame frame = readFrame();
    int mismatches = 0;
    for (int y = 0; y < kSize; y += 3)
      for (int x = 0; x < kSize; x += 3) {
        const Rgb expected = finalModel(source[y * kSize + x], glow[y * kSize + x], settings);
        const Rgba8& got = frame.at(x, y);
        const Rgb actual = {got.r / 255.0f, got.g / 255.0f, got.b / 255.0f};
        for (int c = 0; c < 3; ++c)
          if (std::fabs(actual[c] - expected[c]) > kTolerance && ++mismatches <= 5)
            ADD_FAILURE() << "pixel (" << x << ", " << y << ") channel " << c << ": "
                          << actual[c] << " expected " << expected[c];
      }
    EXPECT_EQ(mismatches, 0);
    const Frame out = readPoolTexture("glowOut");
    ASSERT_EQ(out.width, kSize);
    EXPECT_EQ(out.at(100, 60).g, frame.at(100, 60).g) << "the frame goes to textureOut";
  }
};

}  // namespace

TEST_F(Glow, WithoutBlurTheGlowIsTheThresholdedImage) {
  const GlowSettings settings;
  expectGlow(settings, limitModel(sourcePicture(), settings));
}

TEST_F(Glow, OneBlurPassAveragesFourShiftedCopiesUpsideDown) {
  GlowSettings settings;
  settings.loops = 1;
  expectGlow(settings, blurPassModel(limitModel(sourcePicture(), settings)));
}

TEST_F(Glow, AnyBlurPassCountAboveTheLimitDrawsTheLimit) {
  GlowSettings settings;
  settings.loops = 1000000000;
  const ScopedRenderSize size(kSize, kSize);
  auto many = loadTestEffect(glowDefinition(settings) + "blurSize = 4;\n");
  renderFrame(*many, 1.0f);
  const Frame capped = readFrame();
  settings.loops = 64;
  auto limit = loadTestEffect(glowDefinition(settings) + "blurSize = 4;\n");
  renderFrame(*limit, 1.0f);
  const Frame frame = readFrame();
  EXPECT_EQ(0, std::memcmp(frame.pixels.data(), capped.pixels.data(),
                           capped.pixels.size() * sizeof(Rgba8)));
}

TEST_F(Glow, MissingFirstParameterIsNamed) {
  auto effect = loadTestEffect("code = glow\nfloat limitMul;\n");
  try {
    renderFrame(*effect, 1.0f);
    FAIL() << "no error";
  } catch (const ScriptError& error) {
    EXPECT_EQ(error.caption, kRuntimeErrorCaption);
    EXPECT_NE(error.text.find("float limitSub"), std::string::npos) << error.text;
  }
}
