#include "support/effect_harness.h"

#include <cstring>
#include <filesystem>
#include <map>
#include <utility>

#include "effects/effect_kinds.h"
#include "framework/effect_loader.h"
#include "framework/resource_loaders.h"
#include "gfx/drawing_state.h"
#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "gfx/render_targets.h"
#include "gfx/texture_pool.h"
#include "script/error.h"

void EffectTest::SetUp() {
  GlTest::SetUp();
  if (IsSkipped()) return;
  static const bool made = [] {
    createStandardTextures();
    createFloatTarget();
    return true;
  }();
  (void)made;
}

TimelineEntry testEntry(float start, float end, std::vector<float> params,
                        std::vector<std::string> inputs, std::vector<std::string> outputs) {
  TimelineEntry entry;
  entry.definitionName = "test.txt";
  entry.start = start;
  entry.end = end;
  entry.params = std::move(params);
  entry.inputs = std::move(inputs);
  entry.outputs = std::move(outputs);
  return entry;
}

std::unique_ptr<Effect> loadTestEffect(std::string_view definition, const TimelineEntry& entry) {
  for (const auto* names : {&entry.inputs, &entry.outputs})
    for (const std::string& name : *names) makeRenderSizeTexture(name);
  return loadEffect(entry, definition, createEffect, engineResourceLoaders());
}

void renderFrame(Effect& effect, float time, float timeStep) {
  bindFrameTarget();
  glViewport(0, 0, renderWidth(), renderHeight());
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  effect.render(time, timeStep);
}

Frame readFrame() {
  Frame frame{renderWidth(), renderHeight(), {}};
  frame.pixels.resize(size_t(frame.width) * frame.height);
  bindFrameTarget();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, frame.width, frame.height, GL_RGBA, GL_UNSIGNED_BYTE, frame.pixels.data());
  return frame;
}

bool samePixels(const Frame& a, const Frame& b) {
  return a.width == b.width && a.height == b.height &&
         std::memcmp(a.pixels.data(), b.pixels.data(), a.pixels.size() * sizeof(Rgba8)) == 0;
}

std::string firstFrameError(std::string_view definition) {
  try {
    renderFrame(*loadTestEffect(definition), 1.0f);
  } catch (const ScriptError& error) {
    resetDrawingState();  // the frame stopped half drawn
    return error.text;
  }
  return "";
}

Frame readPoolTexture(std::string_view name) {
  Frame frame;
  const Texture* texture = findTexture(name);
  if (!texture) return frame;
  glBindTexture(GL_TEXTURE_2D, texture->id);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &frame.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &frame.height);
  frame.pixels.resize(size_t(frame.width) * frame.height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, frame.pixels.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  return frame;
}

void setPoolTexture(std::string_view name, int width, int height,
                    const std::vector<Rgba8>& pixels) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(pixels.data());
  if (const Texture* texture = findTexture(name)) {
    glBindTexture(GL_TEXTURE_2D, texture->id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes);
    glBindTexture(GL_TEXTURE_2D, 0);
  } else {
    makeTexture({.name = name, .width = width, .height = height, .pixels = bytes});
  }
}

ScopedRenderSize::ScopedRenderSize(int width, int height)
    : width_(renderWidth()), height_(renderHeight()) {
  static std::map<std::pair<int, int>, GLuint> frames;
  bindFrameTarget();
  GLint bound = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &bound);
  previousFramebuffer_ = GLuint(bound);
  GLuint& frame = frames[{width, height}];
  if (!frame) frame = createOffscreenFrame(width, height).framebuffer;
  setFrameFramebuffer(frame);
  setRenderSize(width, height);
}

ScopedRenderSize::~ScopedRenderSize() {
  setRenderSize(width_, height_);
  setFrameFramebuffer(previousFramebuffer_);
}

Vec3 projectToFrame(const Vec3& point) {
  GLdouble model[16], projection[16], x, y, z;
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  gluProject(point.x, point.y, point.z, model, projection, viewport, &x, &y, &z);
  return {float(x), float(y), float(z)};
}

std::string showDataDir() { return VELMIRA_SHOW_DIR; }

InShowFolder::InShowFolder() : previous_(std::filesystem::current_path().string()) {
  std::filesystem::current_path(showDataDir());
}

InShowFolder::~InShowFolder() { std::filesystem::current_path(previous_); }
