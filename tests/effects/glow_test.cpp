// The glow effect over a known picture, rendered at 256 x 256 so that every
// pass samples texel centres: the thresholded brightness, one blur pass of
// four shifted, flipped copies, and the final sum, against the CPU.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "support/effect_harness.h"

namespace {

constexpr int kSize = 256;
// The final pass roughly doubles a glow texel's rounding error.
constexpr float kTolerance = 4.0f / 255.0f;

using Rgb = std::array<float, 3>;

float quantise(float v) { return std::round(std::clamp(v, 0.0f, 1.0f) * 255) / 255; }
float saturate(float v) { return std::clamp(v, 0.0f, 1.0f); }
float luminance(const Rgb& c) { return 0.299f * c[0] + 0.587f * c[1] + 0.114f * c[2]; }

// Gradients in red and green, a scrambled blue: shifts and flips show.
Rgb source(int x, int y) {
  x = std::clamp(x, 0, kSize - 1), y = std::clamp(y, 0, kSize - 1);
  return {x / 255.0f, y / 255.0f, ((x * 37 + y * 91) % 256) / 255.0f};
}

// (threshold 0.35, gain 2.5, exponent 1.5), quantised into the glow texture.
Rgb thresholded(int x, int y) {
  const Rgb s = source(x, y);
  const float shaping = std::pow(luminance(s), 1.5f);
  Rgb out;
  for (int c = 0; c < 3; ++c) out[c] = quantise(saturate(saturate(s[c] - 0.35f) * 2.5f) * shaping);
  return out;
}

// One pass of one: four quarter copies, flipped vertically and shifted by
// +-2 texels (blurSize 4/3) each way.
Rgb blurred(int x, int y) {
  Rgb out{};
  for (int dy : {-2, 2})
    for (int dx : {-2, 2})
      for (int c = 0; c < 3; ++c) out[c] += 0.25f * thresholded(x + dx, kSize - 1 - y + dy)[c];
  for (float& c : out) c = quantise(c);
  return out;
}

// Source: exponent 1.2, gain 0.8; glow: exponent 0.7, gain 1.6.
Rgb finalPixel(const Rgb& s, const Rgb& g) {
  Rgb out;
  for (int c = 0; c < 3; ++c)
    out[c] = saturate(saturate(saturate(s[c] * 0.8f) * std::pow(luminance(s), 1.2f)) +
                      saturate(saturate(g[c] * 1.6f) * std::pow(luminance(g), 0.7f)));
  return out;
}

std::string glowDefinition(int loops, float blurSize) {
  return "code = glow\nfloat limitSub = 0.35;\nfloat limitMul = 2.5;\nfloat limitExp = 1.5;\n"
         "texture textureIn = \"glowSource\";\nfloat glowFactor = 0.25;\nint loops = " +
         std::to_string(loops) + ";\nfloat blurSize = " + std::to_string(blurSize) +
         ";\nfloat expScreen = 1.2;\nfloat expGlow = 0.7;\nfloat mulScreen = 0.8;\n"
         "float mulGlow = 1.6;\n";
}

class Glow : public EffectTest {
 protected:
  Frame render(int loops, float blurSize) {
    std::vector<Rgba8> pixels;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        const Rgb c = source(x, y);
        pixels.push_back({uint8_t(c[0] * 255 + 0.5f), uint8_t(c[1] * 255 + 0.5f),
                          uint8_t(c[2] * 255 + 0.5f), 255});
      }
    setPoolTexture("glowSource", kSize, kSize, pixels);
    const ScopedRenderSize size(kSize, kSize);
    renderFrame(*loadTestEffect(glowDefinition(loops, blurSize)), 1.0f);
    return readFrame();
  }

  void expectGlow(const Frame& frame, Rgb (*glow)(int, int)) {
    for (int y = 0; y < kSize; y += 3)
      for (int x = 0; x < kSize; x += 3) {
        const Rgb expected = finalPixel(source(x, y), glow(x, y));
        const Rgba8 got = frame.at(x, y);
        const Rgb actual = {got.r / 255.0f, got.g / 255.0f, got.b / 255.0f};
        for (int c = 0; c < 3; ++c)
          ASSERT_NEAR(actual[c], expected[c], kTolerance) << "(" << x << ", " << y << ") " << c;
      }
  }
};

}  // namespace

TEST_F(Glow, WithoutBlurTheGlowIsTheThresholdedImage) { expectGlow(render(0, 0), thresholded); }

TEST_F(Glow, OneBlurPassAveragesFourShiftedCopiesUpsideDown) {
  expectGlow(render(1, 4.0f / 3.0f), blurred);
}

TEST_F(Glow, PassCountsOfRealShowsAreUsedAsGiven) {
  // A count above the engine's old limit of 64 still sets its own step.
  EXPECT_FALSE(samePixels(render(100, 4), render(64, 4)));
}

// A frame smaller than the glow square (160 x 90 against 256) makes its glow
// in the square that fits: a white source glows white over the whole frame,
// corners included, where a cut-off square left the glow black.
TEST_F(Glow, AFrameSmallerThanTheGlowSquareGlowsAllOver) {
  setPoolTexture("glowSource", 16, 16, std::vector<Rgba8>(16 * 16, Rgba8{255, 255, 255, 255}));
  const ScopedRenderSize size(160, 90);
  renderFrame(*loadTestEffect("code = glow\nfloat limitSub = 0;\nfloat limitMul = 1;\n"
                              "float limitExp = 1;\ntexture textureIn = \"glowSource\";\n"
                              "float glowFactor = 0.25;\nint loops = 2;\nfloat blurSize = 2;\n"
                              "float expScreen = 1;\nfloat expGlow = 0;\nfloat mulScreen = 0;\n"
                              "float mulGlow = 1;\n"),
              1.0f);
  const Frame frame = readFrame();
  for (const auto& [x, y] : {std::pair{0, 0}, {159, 0}, {0, 89}, {159, 89}, {80, 45}})
    EXPECT_GE(int(frame.at(x, y).r), 240) << "(" << x << ", " << y << ")";
}
