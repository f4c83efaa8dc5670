// Drawing one effect kind at a time on the shared test context: build an
// effect from definition text, render a frame of it the way the frame loop
// does, and read the frame back: `renderFrame(*loadTestEffect(text), time)`
// then `readFrame()`, as the glow tests do.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/effect.h"
#include "framework/timeline_file.h"
#include "gfx/math.h"
#include "support/gl_context.h"

// The fixture of effect tests: the shared context with the standard pool
// textures and both render targets made.
class EffectTest : public GlTest {
 protected:
  void SetUp() override;
};

// The timeline entry of a test effect: window [0, 1000) and no parameters
// unless given.
TimelineEntry testEntry(float start = 0.0f, float end = 1000.0f, std::vector<float> params = {},
                        std::vector<std::string> inputs = {}, std::vector<std::string> outputs = {});

// Loads an effect from definition text as the show loader does (pool
// textures for its in and out names, the registered kinds, the engine's
// resource loaders). Script and parameter errors throw ScriptError.
std::unique_ptr<Effect> loadTestEffect(std::string_view definition,
                                       const TimelineEntry& entry = testEntry());

// The frame loop's frame: the frame target bound, the viewport set to the
// render size, colour and depth cleared to black, then the effect's render.
void renderFrame(Effect& effect, float time, float timeStep = 1.0f / 60.0f);

struct Rgba8 {
  uint8_t r = 0, g = 0, b = 0, a = 0;
};

// The frame target's pixels, bottom row first.
struct Frame {
  int width = 0;
  int height = 0;
  std::vector<Rgba8> pixels;
  const Rgba8& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};
Frame readFrame();
bool samePixels(const Frame& a, const Frame& b);

// The text of the error that the first frame of `definition` stops with;
// empty when it draws.
std::string firstFrameError(std::string_view definition);

// A pool texture's pixels (level 0), bottom row first.
Frame readPoolTexture(std::string_view name);

// Uploads RGBA8 pixels (bottom row first) as a pool texture of that name,
// replacing its contents when it exists.
void setPoolTexture(std::string_view name, int width, int height, const std::vector<Rgba8>& pixels);

// Renders at another size while it lives: a frame target of that size (one
// per size, kept for the binary) and the render size, then back to the test
// size. Textures made meanwhile at size 0 get the new size.
class ScopedRenderSize {
 public:
  ScopedRenderSize(int width, int height);
  ~ScopedRenderSize();
  ScopedRenderSize(const ScopedRenderSize&) = delete;
  ScopedRenderSize& operator=(const ScopedRenderSize&) = delete;

 private:
  int width_, height_;
  unsigned previousFramebuffer_ = 0;
};

// The window position of a world point under the current matrices.
Vec3 projectToFrame(const Vec3& point);

// The folder the build assembles the show in (meshes, pictures, music).
std::string showDataDir();

// Enters the show folder while it lives, so the show's files load by their
// names in definitions ("quarno/meshes/...").
class InShowFolder {
 public:
  InShowFolder();
  ~InShowFolder();
  InShowFolder(const InShowFolder&) = delete;
  InShowFolder& operator=(const InShowFolder&) = delete;

 private:
  std::string previous_;
};
