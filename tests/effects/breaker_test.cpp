// The breaker kind drawn on llvmpipe: a still particle's sprite against the
// sprite model (size and angle from the seeded generator, alpha 2 a / s), the
// vortex cross only on request, repeatable frames, and the first parameter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "gfx/frame_target.h"
#include "gfx/random.h"
#include "script/error.h"
#include "support/effect_harness.h"
#include "support/temp_dir.h"
#include "tests/effects/particle_mesh_file.h"

namespace {

class Breaker : public EffectTest {};

// Quadrants of 2 x 2 texels: red, green, then blue, white (bottom row
// first), so filtering near a quadrant's centre stays within its colour.
void quadrantTexture() {
  const Rgba8 red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255}, white{255, 255, 255, 255};
  std::vector<Rgba8> texels;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) texels.push_back(y < 2 ? (x < 2 ? red : green) : (x < 2 ? blue : white));
  setPoolTexture("quadrants", 4, 4, texels);
  setPoolTexture("orange", 1, 1, {{255, 255, 255, 255}});
}

std::string definition(float alpha, int drawVortices, const char* breakerPos) {
  return "code = breaker\nfloat particleAlpha = " + std::to_string(alpha) +
         ";\nmesh meshParticles = \"cloud.lwo\";\nmesh meshBreaker = \"cloud.lwo\";\n"
         "int useMeshBreaker;\nint useGenBreaker;\nint drawBreakerParticles = " +
         std::to_string(drawVortices) +
         ";\nint setCamera = 1;\nvec3 cameraPos;\nvec3 cameraLookAt = vec3(0, 0, -1);\n"
         "vec3 cameraRPY;\nvec3 cameraLookAtRPY;\nfloat cameraZoom;\nvec3 breakerPos = " +
         breakerPos +
         ";\nvec3 breakerCen;\nvec3 breakerRot;\n"
         "texture textureParticle = \"quadrants\";\ntexture textureDistor = \"orange\";\n";
}

// Where a point of the sprite plane at depth d lands on the frame.
void toPixel(float ex, float ey, float depth, int& x, int& y) {
  const float f = 1.0f / std::tan(float(M_PI) / 6);
  x = int((ex / depth * f / pictureAspect() * 0.5f + 0.5f) * kTestRenderWidth);
  y = int((ey / depth * f * 0.5f + 0.5f) * kTestRenderHeight);
}

}  // namespace

TEST_F(Breaker, StillParticleDrawsItsSpriteAsModelled) {
  TempDir dir;
  writeParticleMesh("cloud.lwo", {{0, 0, -20}});
  quadrantTexture();
  const float alpha = 2.0f;
  // The cross sits behind the eye, out of the picture.
  auto effect = loadTestEffect(definition(alpha, 0, "vec3(0, 0, 10)"));
  renderFrame(*effect, 1.0f, 0.0f);
  const Frame frame = readFrame();

  seedRandom(123);
  for (int j = 0; j < 100; ++j) nextRandom();
  const float r1 = nextRandomUnit(), r2 = nextRandomUnit();
  const float size = 3 * r1 * r1 + 0.01f * 400 + 5;
  const float angle = float((40 * (r2 - 0.5)) * M_PI / 180);
  const float spriteAlpha = 2 * alpha / size;
  // Quadrant centres, local (±w/2, ±h/2); the sprite's top left shows texture (0, 0).
  const struct {
    float lx, ly;
    Rgba8 texel;
  } samples[] = {{-0.5f, -0.5f, {0, 0, 255, 255}}, {0.5f, -0.5f, {255, 255, 255, 255}},
                 {-0.5f, 0.5f, {255, 0, 0, 255}},      {0.5f, 0.5f, {0, 255, 0, 255}}};
  for (const auto& sample : samples) {
    const float lx = sample.lx * 1.5f * size, ly = sample.ly * size;
    const float ex = lx * std::cos(angle) - ly * std::sin(angle);
    const float ey = lx * std::sin(angle) + ly * std::cos(angle);
    int x = 0, y = 0;
    toPixel(ex, ey, 20, x, y);
    const Rgba8& pixel = frame.at(x, y);
    EXPECT_NEAR(pixel.r, sample.texel.r * spriteAlpha, 4) << x << "," << y;
    EXPECT_NEAR(pixel.g, sample.texel.g * spriteAlpha, 4) << x << "," << y;
    EXPECT_NEAR(pixel.b, sample.texel.b * spriteAlpha, 4) << x << "," << y;
  }
}

TEST_F(Breaker, VortexCrossIsDrawnOnlyWhenAsked) {
  TempDir dir;
  writeParticleMesh("cloud.lwo", {{0, 0, 50}});  // behind the eye
  quadrantTexture();
  // The cross's centre vortex 45 units ahead, sprite half size 2.6.
  const char* ahead = "vec3(0, 0, -1.5)";
  auto hidden = loadTestEffect(definition(1.0f, 0, ahead));
  renderFrame(*hidden, 1.0f, 0.0f);
  const Rgba8 without = readFrame().at(kTestRenderWidth / 2, kTestRenderHeight / 2);
  auto shown = loadTestEffect(definition(1.0f, 1, ahead));
  renderFrame(*shown, 1.0f, 0.0f);
  const Rgba8 with = readFrame().at(kTestRenderWidth / 2, kTestRenderHeight / 2);
  EXPECT_EQ(without.r, 0);
  // The vortex tint (1, 0.8, 0.5) over the white sprite texture.
  EXPECT_GT(with.r, 200);
  EXPECT_NEAR(with.g, with.r * 0.8, 6);
  EXPECT_NEAR(with.b, with.r * 0.5, 6);
}

// Without a particle mesh the cloud is empty: nothing but the vortex cross,
// when asked for, is drawn.
TEST_F(Breaker, WithoutAParticleMeshOnlyTheVortexCrossIsDrawn) {
  TempDir dir;
  writeParticleMesh("cloud.lwo", {{0, 0, 50}});
  quadrantTexture();
  const char* ahead = "vec3(0, 0, -1.5)";
  for (const int drawVortices : {0, 1}) {
    std::string text = definition(1.0f, drawVortices, ahead);
    text.replace(text.find("mesh meshParticles = \"cloud.lwo\";"), 32, "mesh meshParticles;");
    auto effect = loadTestEffect(text);
    renderFrame(*effect, 1.0f, 0.0f);
    const Frame frame = readFrame();
    const Rgba8 centre = frame.at(kTestRenderWidth / 2, kTestRenderHeight / 2);
    if (drawVortices)
      EXPECT_GT(centre.r, 200);
    else
      EXPECT_TRUE(std::all_of(frame.pixels.begin(), frame.pixels.end(),
                              [](const Rgba8& p) { return p.r == 0 && p.g == 0 && p.b == 0; }));
  }
}

TEST_F(Breaker, SameFramesDrawTheSamePictures) {
  TempDir dir;
  writeParticleMesh("cloud.lwo", {{1, 2, -30}, {-3, 0, -25}, {4, -2, -40}, {0, 1, -35}});
  quadrantTexture();
  const std::string text = definition(0.8f, 1, "vec3(0, 0, -1)");
  auto first = loadTestEffect(text), second = loadTestEffect(text);
  for (int f = 0; f < 5; ++f) renderFrame(*first, 1.0f + f / 30.0f, 1 / 30.0f);
  const Frame a = readFrame();
  for (int f = 0; f < 5; ++f) renderFrame(*second, 1.0f + f / 30.0f, 1 / 30.0f);
  const Frame b = readFrame();
  int lit = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    ASSERT_EQ(a.pixels[i].r, b.pixels[i].r);
    ASSERT_EQ(a.pixels[i].b, b.pixels[i].b);
    lit += a.pixels[i].r > 0;
  }
  EXPECT_GT(lit, 0);
}
