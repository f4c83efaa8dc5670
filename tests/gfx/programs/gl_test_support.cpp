#include "gl_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "gfx/frame_target.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "support/gl_context.h"

Float4 operator+(Float4 x, Float4 y) { return {x.r + y.r, x.g + y.g, x.b + y.b, x.a + y.a}; }
Float4 operator-(Float4 x, Float4 y) { return {x.r - y.r, x.g - y.g, x.b - y.b, x.a - y.a}; }
Float4 operator*(Float4 x, Float4 y) { return {x.r * y.r, x.g * y.g, x.b * y.b, x.a * y.a}; }
Float4 operator*(Float4 x, float s) { return {x.r * s, x.g * s, x.b * s, x.a * s}; }
Float4 operator+(Float4 x, float s) { return {x.r + s, x.g + s, x.b + s, x.a + s}; }
Float4 splat(float s) { return {s, s, s, s}; }
float saturate(float x) { return std::clamp(x, 0.0f, 1.0f); }
Float4 saturate(Float4 x) { return {saturate(x.r), saturate(x.g), saturate(x.b), saturate(x.a)}; }
float dot3(Float4 x, Float4 y) { return x.r * y.r + x.g * y.g + x.b * y.b; }

namespace {

GLuint targetFramebuffer = 0;

int wrapIndex(int i, int size, GLint wrap) {
  if (wrap == GL_REPEAT) return ((i % size) + size) % size;
  return std::clamp(i, 0, size - 1);
}

// Opens the hidden window once for the binary and compiles the library.
class GlEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(openTestContext()) << "no GL context (run under xvfb-run)";
    for (const GpuProgramReport& report : gpuProgramReports())
      ASSERT_TRUE(report.ok) << report.name << ": " << report.errorText;
    createTarget();
  }
 private:
  static void createTarget() {
    GLuint color = 0;
    glGenTextures(1, &color);
    glBindTexture(GL_TEXTURE_2D, color);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F_ARB, kTargetSize, kTargetSize, 0, GL_RGBA,
                 GL_FLOAT, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    GLuint depth = 0;
    gl.glGenRenderbuffersEXT(1, &depth);
    gl.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depth);
    gl.glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, kTargetSize,
                             kTargetSize);
    gl.glGenFramebuffersEXT(1, &targetFramebuffer);
    bindOffscreenFramebuffer(targetFramebuffer);
    gl.glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, color,
                              0);
    gl.glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                 depth);
    ASSERT_EQ(gl.glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT),
              static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE_EXT));
  }
};

const testing::Environment* const glEnvironment =
    testing::AddGlobalTestEnvironment(new GlEnvironment);

}  // namespace

Float4 TestImage::texel(int x, int y) const {
  return texels[wrapIndex(y, height, wrap) * width + wrapIndex(x, width, wrap)];
}

Float4 TestImage::sample(float u, float v) const {
  if (filter == GL_NEAREST)
    return texel(static_cast<int>(std::floor(u * width)), static_cast<int>(std::floor(v * height)));
  const float x = u * width - 0.5f;
  const float y = v * height - 0.5f;
  const int x0 = static_cast<int>(std::floor(x));
  const int y0 = static_cast<int>(std::floor(y));
  const float fx = x - x0;
  const float fy = y - y0;
  const Float4 bottom = texel(x0, y0) * (1 - fx) + texel(x0 + 1, y0) * fx;
  const Float4 top = texel(x0, y0 + 1) * (1 - fx) + texel(x0 + 1, y0 + 1) * fx;
  return bottom * (1 - fy) + top * fy;
}

TestImage makeImage(int width, int height, std::vector<Float4> texels, GLint filter, GLint wrap) {
  TestImage image;
  image.width = width;
  image.height = height;
  image.texels = std::move(texels);
  image.filter = filter;
  image.wrap = wrap;
  glGenTextures(1, &image.id);
  glBindTexture(GL_TEXTURE_2D, image.id);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F_ARB, width, height, 0, GL_RGBA, GL_FLOAT,
               image.texels.data());
  return image;
}

TestImage makeNoiseImage(int width, int height, unsigned seed, float low, float high,
                         GLint filter, GLint wrap) {
  std::vector<Float4> texels(static_cast<size_t>(width) * height);
  unsigned state = seed;
  auto next = [&] {
    state = state * 214013u + 2531011u;
    return low + (high - low) * static_cast<float>((state >> 16) & 0x7FFF) / 32767.0f;
  };
  for (Float4& t : texels) t = {next(), next(), next(), next()};
  return makeImage(width, height, std::move(texels), filter, wrap);
}

TestImage makeConstantImage(Float4 value) {
  return makeImage(1, 1, {value}, GL_NEAREST, GL_REPEAT);
}

void bindImage(int unit, const TestImage& image) {
  gl.glActiveTextureARB(GL_TEXTURE0_ARB + unit);
  glBindTexture(GL_TEXTURE_2D, image.id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, image.filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, image.filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, image.wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, image.wrap);
  gl.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void bindTestTarget() { bindOffscreenFramebuffer(targetFramebuffer); }

void resetTestState() {
  bindTestTarget();
  glViewport(0, 0, kTargetSize, kTargetSize);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glDepthMask(GL_TRUE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0, 0, 0, 0);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (GLenum mode : {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW}) {
    glMatrixMode(mode);
    glLoadIdentity();
  }
  glColor4f(1, 1, 1, 1);
}

std::vector<Float4> readTarget() {
  std::vector<Float4> pixels(kTargetSize * kTargetSize);
  glReadPixels(0, 0, kTargetSize, kTargetSize, GL_RGBA, GL_FLOAT, pixels.data());
  return pixels;
}

float pixelToNdc(int coordinate) { return (coordinate + 0.5f) / kTargetSize * 2.0f - 1.0f; }

void drawViewportQuad() {
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-1, -1);
  glTexCoord2f(1, 0);
  glVertex2f(1, -1);
  glTexCoord2f(1, 1);
  glVertex2f(1, 1);
  glTexCoord2f(0, 1);
  glVertex2f(-1, 1);
  glEnd();
}

void expectPixels(const std::vector<Float4>& pixels,
                  const std::function<Float4(int x, int y)>& expected, float tolerance,
                  const char* what) {
  int mismatches = 0;
  for (int y = 0; y < kTargetSize; ++y) {
    for (int x = 0; x < kTargetSize; ++x) {
      const Float4 got = pixels[y * kTargetSize + x];
      const Float4 want = expected(x, y);
      const float error = std::max({std::fabs(got.r - want.r), std::fabs(got.g - want.g),
                                    std::fabs(got.b - want.b), std::fabs(got.a - want.a)});
      if (error <= tolerance) continue;
      if (++mismatches <= 4)
        ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") got (" << got.r << ", "
                      << got.g << ", " << got.b << ", " << got.a << ") want (" << want.r << ", "
                      << want.g << ", " << want.b << ", " << want.a << ")";
    }
  }
  EXPECT_EQ(mismatches, 0) << what;
}
