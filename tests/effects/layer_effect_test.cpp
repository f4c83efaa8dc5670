// The layer effect drawn on llvmpipe: solid-colour layers over a known frame,
// read back and compared with the compositing formulas worked on the CPU.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "gfx/frame_target.h"
#include "gfx/texture_pool.h"
#include "support/effect_harness.h"

namespace {

constexpr float kTolerance = 3.0f / 255.0f;

struct Rgba {
  float r, g, b, a;
};

Rgba operator*(Rgba x, Rgba y) { return {x.r * y.r, x.g * y.g, x.b * y.b, x.a * y.a}; }
Rgba operator*(Rgba x, float s) { return {x.r * s, x.g * s, x.b * s, x.a * s}; }
Rgba operator+(Rgba x, Rgba y) { return {x.r + y.r, x.g + y.g, x.b + y.b, x.a + y.a}; }
Rgba operator-(float s, Rgba x) { return {s - x.r, s - x.g, s - x.b, s - x.a}; }
Rgba clamp01(Rgba x) {
  auto c = [](float v) { return std::clamp(v, 0.0f, 1.0f); };
  return {c(x.r), c(x.g), c(x.b), c(x.a)};
}
Rgba quantise(Rgba x) {
  auto q = [](float v) { return std::round(std::clamp(v, 0.0f, 1.0f) * 255.0f) / 255.0f; };
  return {q(x.r), q(x.g), q(x.b), q(x.a)};
}

struct LayerSpec {
  Rgba texture;  // a solid texture
  Rgba color;    // layerColor (rgb) and layerAlpha (a)
  int mode;
};

std::string solidTexture(Rgba color) {
  char name[64];
  snprintf(name, sizeof name, "solid_%.3f_%.3f_%.3f_%.3f", color.r, color.g, color.b, color.a);
  std::vector<uint8_t> pixels;
  for (int i = 0; i < 16; ++i)
    for (float c : {color.r, color.g, color.b, color.a}) pixels.push_back(uint8_t(c * 255 + 0.5f));
  makeTexture({.name = name, .width = 4, .height = 4, .pixels = pixels.data()});
  return name;
}

std::string layerDefinition(const std::vector<LayerSpec>& layers) {
  const size_t n = layers.size();
  std::string text = "code = layer\nint numLayers = " + std::to_string(n) +
                     ";\nint clearScreen = 0;\nvec3 cameraPos;\nvec3 cameraLookAt;\n";
  for (const char* name : {"layerPos", "layerRot", "layerScale", "layerBL", "layerBR", "layerTL",
                           "layerTR", "layerColor"})
    text += "vec3 " + std::string(name) + "[" + std::to_string(n) + "];\n";
  for (const char* name : {"layerBlendMode", "layerClear", "layer3D"})
    text += "int " + std::string(name) + "[" + std::to_string(n) + "];\n";
  text += "float layerAlpha[" + std::to_string(n) + "];\ntexture layerTexture = ";
  for (size_t i = 0; i < n; ++i)
    text += (i ? ", \"" : "\"") + solidTexture(layers[i].texture) + "\"";
  text += ";\n";
  char line[1024];
  for (size_t i = 0; i < n; ++i) {
    const LayerSpec& layer = layers[i];
    snprintf(line, sizeof line,
             "layerScale[%zu] = vec3(1, 1, 1);\nlayerBL[%zu] = vec3(-1, -1, 0);\n"
             "layerBR[%zu] = vec3(1, -1, 0);\nlayerTL[%zu] = vec3(-1, 1, 0);\n"
             "layerTR[%zu] = vec3(1, 1, 0);\nlayerBlendMode[%zu] = %d;\n"
             "layerColor[%zu] = vec3(%g, %g, %g);\nlayerAlpha[%zu] = %g;\n",
             i, i, i, i, i, i, layer.mode, i, layer.color.r, layer.color.g, layer.color.b, i,
             layer.color.a);
    text += line;
  }
  return text;
}

// Draws the layers over a frame cleared to `frame` and reads the middle pixel.
Rgba composite(Rgba frame, const std::vector<LayerSpec>& layers) {
  auto effect = loadTestEffect(layerDefinition(layers), testEntry(0, 1));
  bindFrameTarget();
  glViewport(0, 0, renderWidth(), renderHeight());
  glClearColor(frame.r, frame.g, frame.b, frame.a);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0, 0, 0, 0);  // as the frame loop leaves it
  glColor4f(1, 1, 1, 1);
  glDisable(GL_BLEND);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  effect->render(0.5f, 0.0f);
  uint8_t pixel[4];
  glReadPixels(renderWidth() / 2, renderHeight() / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  return {pixel[0] / 255.0f, pixel[1] / 255.0f, pixel[2] / 255.0f, pixel[3] / 255.0f};
}

void expectNear(Rgba actual, Rgba expected) {
  EXPECT_NEAR(actual.r, expected.r, kTolerance);
  EXPECT_NEAR(actual.g, expected.g, kTolerance);
  EXPECT_NEAR(actual.b, expected.b, kTolerance);
}

Rgba withAlpha(Rgba x, float alpha) { return {x.r, x.g, x.b, alpha}; }

// GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA over `destination`.
Rgba alphaBlend(Rgba source, Rgba destination) {
  return source * source.a + destination * (1 - source.a);
}

// The blend programs: A the frame before the layer (alpha taken as 1), B the
// layer as the float target holds it, K the layer's colour and alpha.
Rgba blendProgram(int mode, Rgba a, Rgba b, Rgba k) {
  a.a = 1;
  const float alpha = k.a;
  const Rgba keep = {1 - alpha, 1 - alpha, 1 - alpha, 1 - alpha};
  switch (mode) {
    case 1: return a * (b * k * alpha + keep);
    case 2: return 1 - withAlpha(1 - a, 1) * ((1 - b) * k * alpha + keep);
    case 3: return a + b * k * alpha;
    case 4: return a + b * k * (-alpha);
  }
  return a;
}

// The effect worked on the CPU, blending state included: blending starts
// disabled, and an alpha-blended composite leaves it enabled for the next
// layer's pass into the float target.
Rgba model(Rgba frame, const std::vector<LayerSpec>& layers) {
  bool blending = false;
  for (const LayerSpec& layer : layers) {
    const Rgba mid = quantise(frame);
    const Rgba drawn = layer.texture * layer.color;  // modulated by the current colour
    const Rgba target = blending ? alphaBlend(drawn, {0, 0, 0, 0}) : drawn;
    if (layer.mode == 0) {
      frame = quantise(mid * layer.color);
      frame = alphaBlend(target * layer.color, frame);
      blending = true;
    } else if (layer.mode <= 4) {
      frame = clamp01(blendProgram(layer.mode, mid, target, layer.color));
    }
    frame = quantise(frame);
  }
  return frame;
}

}  // namespace

TEST_F(EffectTest, LayerEachBlendProgramMatchesItsFormula) {
  const Rgba frame = {0.6f, 0.4f, 0.2f, 1.0f};
  const LayerSpec layer = {{0.8f, 0.6f, 0.4f, 1.0f}, {0.9f, 0.5f, 1.0f, 0.7f}, 0};
  for (int mode : {1, 2, 3, 4}) {
    SCOPED_TRACE("blend mode " + std::to_string(mode));
    LayerSpec withMode = layer;
    withMode.mode = mode;
    expectNear(composite(frame, {withMode}), model(frame, {withMode}));
  }
}

TEST_F(EffectTest, LayerAlphaBlendModulatesAndLeavesBlendingOnForTheNextLayer) {
  const Rgba frame = {0.2f, 0.5f, 0.8f, 1.0f};
  const std::vector<LayerSpec> layers = {{{1.0f, 0.2f, 0.2f, 1.0f}, {1.0f, 1.0f, 0.6f, 0.5f}, 0},
                                         {{0.2f, 1.0f, 0.4f, 1.0f}, {0.8f, 1.0f, 1.0f, 0.6f}, 0}};
  expectNear(composite(frame, layers), model(frame, layers));
}

TEST_F(EffectTest, LayerAddWithZeroAlphaAndUnknownModeChangeNothing) {
  const Rgba frame = {0.3f, 0.6f, 0.9f, 1.0f};
  expectNear(composite(frame, {{{1, 1, 1, 1}, {1, 1, 1, 0}, 3}}), frame);
  expectNear(composite(frame, {{{1, 0, 0, 1}, {1, 1, 1, 1}, 5}}), frame);
}
