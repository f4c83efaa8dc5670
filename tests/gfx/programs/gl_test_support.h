// Drawing test support: one hidden GL context for the whole binary with the
// program library compiled, a small float render target to read results back
// without clamping, float textures, and a CPU sampler that filters the same
// texels the way the GL does, so formulas can be evaluated on the CPU.
#pragma once

#include <functional>
#include <vector>

#include "gfx/gl.h"

struct Float4 {
  float r = 0, g = 0, b = 0, a = 0;
};

Float4 operator+(Float4 x, Float4 y);
Float4 operator-(Float4 x, Float4 y);
Float4 operator*(Float4 x, Float4 y);
Float4 operator*(Float4 x, float s);
Float4 operator+(Float4 x, float s);
Float4 splat(float s);
Float4 saturate(Float4 x);
float saturate(float x);
float dot3(Float4 x, Float4 y);

// A texture's texels kept on the CPU beside its GL copy.
struct TestImage {
  int width = 0;
  int height = 0;
  std::vector<Float4> texels;  // bottom row first, as uploaded
  GLint filter = GL_LINEAR;
  GLint wrap = GL_CLAMP_TO_EDGE;
  GLuint id = 0;

  Float4 texel(int x, int y) const;
  // The filtered value the GL returns at (u, v).
  Float4 sample(float u, float v) const;
};

// A float RGBA texture (GL_RGBA32F) uploaded from `texels`.
TestImage makeImage(int width, int height, std::vector<Float4> texels, GLint filter = GL_LINEAR,
                    GLint wrap = GL_CLAMP_TO_EDGE);
// Texels from a fixed pseudo-random sequence in [low, high].
TestImage makeNoiseImage(int width, int height, unsigned seed, float low, float high,
                         GLint filter = GL_LINEAR, GLint wrap = GL_CLAMP_TO_EDGE);
TestImage makeConstantImage(Float4 value);
// Binds `image` to texture unit `unit` with its filter and wrap.
void bindImage(int unit, const TestImage& image);

// The float render target every test draws into (kTargetSize square).
inline constexpr int kTargetSize = 16;
void bindTestTarget();
// Clears colour and depth, sets the viewport, identity matrices, and the
// fixed-function defaults the tests rely on.
void resetTestState();
std::vector<Float4> readTarget();

// Centre of pixel (x, y) in normalised device coordinates.
float pixelToNdc(int coordinate);

// A quad over the whole viewport (with identity matrices) with texture
// coordinates 0..1.
void drawViewportQuad();

// Compares every pixel with `expected` within `tolerance` per channel and
// reports the first mismatches.
void expectPixels(const std::vector<Float4>& pixels,
                  const std::function<Float4(int x, int y)>& expected, float tolerance,
                  const char* what);

inline constexpr float kPixelTolerance = 2.0f / 255.0f;
