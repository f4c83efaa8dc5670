#include "effects/kinds/spectrum.h"

#include <algorithm>
#include <array>

#include "effects/camera.h"
#include "effects/parameters.h"
#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "gfx/math.h"
#include "gfx/texture_pool.h"
#include "music/music.h"

namespace {

constexpr int kStripVertices = 1024;
// Every strip is 1024 vertices; a count from a script is kept to what can
// still be drawn at frame rate.
constexpr int kMaxStrips = 1024;
// The show clock runs this much faster for the camera's travel.
constexpr float kTimeScale = 3.5874999f;
constexpr float kFadeScale = 0.27874565f;
constexpr float kPushOutSeconds = 1.5f;
// Lines keep their share of the picture's height at any render size.
constexpr float kLineWidthPerHeight = 3.0f / 1024;

using Spectrum = std::array<float, kSpectrumBins>;

struct Strip {
  std::array<float, 3 * kStripVertices> positions;
  std::array<float, 4 * kStripVertices> colors;
};

// The camera moves in along its line of sight over the window and is pushed
// out with the fourth power of a ramp over the window's last 1.5 seconds.
void placeCamera(const Effect& effect, float time, float length) {
  const float fade = rampUp(time * kTimeScale * kFadeScale, length - kPushOutSeconds,
                            kPushOutSeconds);
  const float pushOut = powerInt(fade, 4, true);
  cameraState.lookAt = readVec3(effect, "cameraLookAt", cameraState.lookAt);
  cameraState.position = readVec3(effect, "cameraPosition", cameraState.position);
  const float positionMul = readFloat(effect, "cameraPositionMul");
  const float positionMulDecrease = readFloat(effect, "cameraPositionMulDecrease");
  cameraState.position *= (1 - (positionMulDecrease / length) * (time * kTimeScale)) *
                           (5 * pushOut + 1) * positionMul;
  aimCamera();
  setupCamera();
}

// Bins are taken on a square law, so the low frequencies spread widest; the
// weight grows with the bin spacing.
Strip buildStrip(const Spectrum& spectrum, float brightness, float width, float height) {
  Strip strip;
  for (int i = 0; i < kStripVertices; ++i) {
    const float square = float(i * i) / 1024;
    const int bin = std::clamp(truncToInt(square), 0, kSpectrumBins - 1);
    const float value = spectrum[bin];
    const float weight = (square - float((i - 2) * (i - 2)) / 1024) * height;
    const float grey = weight * value * brightness;
    const float position[3] = {-8 * width * (i - 512) / 512, 200 * value * weight, 0};
    const float color[4] = {grey, grey, grey, 1};
    std::copy(position, position + 3, &strip.positions[3 * i]);
    std::copy(color, color + 4, &strip.colors[4 * i]);
  }
  return strip;
}

// Each strip turns a further 360 / count degrees about x from the last; only
// the first `drawn` strips are drawn.
void drawFan(const Strip& strip, int drawn, int count) {
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, strip.positions.data());
  glColorPointer(4, GL_FLOAT, 0, strip.colors.data());
  for (int r = 0; r < drawn; ++r) {
    glRotatef(360.0f * r / count, 1, 0, 0);
    glPushMatrix();
    glDrawArrays(GL_LINE_STRIP, 0, kStripVertices);
    glPopMatrix();
  }
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace

void SpectrumEffect::render(float time, float timeStep) {
  framePrologue(time, timeStep);
  glEnable(GL_DEPTH_TEST);
  placeCamera(*this, time, length);

  Spectrum spectrum{};  // silence when no music plays
  getSpectrum(spectrum.data(), 0);
  requiredButUnused(readFloat(*this, "glenzBeatSpecLow"));
  requiredButUnused(readFloat(*this, "glenzBeatSpecHigh"));

  glLineWidth(renderHeight() * kLineWidthPerHeight);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_LINE_SMOOTH);
  const float brightness = readFloat(*this, "kirkkaus");
  const int strips = readInt(*this, "numRevol");
  const int drawnStrips = holdCount(*this, "numRevol", strips, kMaxStrips);
  const float width = readFloat(*this, "scaleX");
  const float height = readFloat(*this, "suuruus", 1);
  if (strips > 0) drawFan(buildStrip(spectrum, brightness, width, height), drawnStrips, strips);
  glDisable(GL_LINE_SMOOTH);
  copyScreenToTexture("back", 0, 0);
}
