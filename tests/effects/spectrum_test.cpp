// The spectrum effect for a known spectrum: the line lies where the camera
// projects the spectrum's points, in their grey; silence draws nothing; the
// frame lands in "back"; the camera closes in and is pushed out at the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "effects/camera.h"
#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "gfx/math.h"
#include "music/music.h"
#include "platform/message.h"
#include "support/effect_harness.h"

namespace {

float spectrumLevel = 0;

// Rising with the bin, so the bins the points read matter.
float spectrumAt(int bin) { return spectrumLevel * (0.5f + bin / 1024.0f); }

void risingSpectrum(float* values, int) {
  for (int bin = 0; bin < kSpectrumBins; ++bin) values[bin] = spectrumAt(bin);
}

std::string definition(const std::string& strips, float decrease = 0) {
  return "code = spektrometri\nvec3 cameraLookAt;\nvec3 cameraPosition = vec3(0, 0, 10);\n"
         "float cameraPositionMul = 1;\nfloat cameraPositionMulDecrease = " +
         std::to_string(decrease) +
         ";\nfloat glenzBeatSpecLow;\nfloat glenzBeatSpecHigh;\nfloat kirkkaus = 50;\n"
         "int numRevol = " + strips + ";\nfloat scaleX = 0.5;\nfloat suuruus = 0.5;\n";
}

bool allBlack(const Frame& f) {
  return std::all_of(f.pixels.begin(), f.pixels.end(), [](Rgba8 p) { return !p.r && !p.g && !p.b; });
}

class Spectrum : public EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    cameraState = {};  // no turns or zoom left by earlier effects
    setSpectrumSource(risingSpectrum);
  }
  void TearDown() override { setSpectrumSource(nullptr); }

  Frame render(const std::string& text, float level, float time = 1.0f, float end = 1000.0f) {
    spectrumLevel = level;
    renderFrame(*loadTestEffect(text, testEntry(0, end, {}, {}, {"spectrumOut"})), time);
    return readFrame();
  }
};

}  // namespace

TEST_F(Spectrum, OneStripTracesTheSpectrum) {
  const ScopedRenderSize size(256, 128);  // the line resolved point by point
  const Frame frame = render(definition("1"), 0.008f);
  double modelview[16], projection[16], z;
  const GLint viewport[4] = {0, 0, frame.width, frame.height};
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  struct Point {
    double x, y;
    float grey;
  };
  std::vector<Point> points;
  for (int i = 0; i < 1024; ++i) {
    const float weight = (float(i * i) / 1024 - float((i - 2) * (i - 2)) / 1024) * 0.5f;
    const float value = spectrumAt(i * i / 1024);
    Point p{0, 0, std::clamp(weight * value * 50, 0.0f, 1.0f)};
    gluProject(-4.0 * (i - 512) / 512, 200 * value * weight, 0, modelview, projection, viewport,
               &p.x, &p.y, &z);
    points.push_back(p);
  }
  // Each column's brightest pixel lies among the points near that column,
  // in their grey.
  int checked = 0;
  for (int x = 0; x < frame.width; ++x) {
    double low = 1e9, high = -1e9;
    float dark = 1, bright = 0;
    for (const Point& p : points)
      if (std::fabs(p.x - (x + 0.5)) <= 1 && p.grey > 0.1f) {
        low = std::min(low, p.y), high = std::max(high, p.y);
        dark = std::min(dark, p.grey), bright = std::max(bright, p.grey);
      }
    if (low > high) continue;
    int top = 0;
    for (int y = 0; y < frame.height; ++y)
      if (frame.at(x, y).r > frame.at(x, top).r) top = y;
    EXPECT_TRUE(top + 1 >= low - 0.5 && top <= high + 0.5) << "column " << x;
    EXPECT_NEAR(frame.at(x, top).r / 255.0f, std::clamp(frame.at(x, top).r / 255.0f, dark, bright),
                0.03f) << "column " << x;
    ++checked;
  }
  EXPECT_GT(checked, 60);
}

TEST_F(Spectrum, SilenceDrawsBlackAndTheFrameLandsInBackNotInTextureOut) {
  EXPECT_TRUE(allBlack(render(definition("12"), 0.0f)));
  const Frame frame = render(definition("12"), 0.01f);
  EXPECT_FALSE(allBlack(frame));
  EXPECT_TRUE(samePixels(frame, readPoolTexture("back")));
  EXPECT_TRUE(allBlack(readPoolTexture("spectrumOut")));
}

TEST_F(Spectrum, CameraClosesInThenIsPushedOutAtTheEnd) {
  // A window of 10: at 9.25 the push-out ramp stands at a half.
  render(definition("0", 0.1f), 0.01f, 2.0f, 10);
  EXPECT_NEAR(cameraState.position.z, 10 * (1 - 0.01f * 2 * 3.5874999f), 1e-4f);
  render(definition("0", 0.1f), 0.01f, 9.25f, 10);
  EXPECT_NEAR(cameraState.position.z, 10 * (1 - 0.01f * 9.25f * 3.5874999f) * (5 / 16.0f + 1),
              1e-3f);
}

TEST_F(Spectrum, StripCountsBelowOneDrawNothingLargeOnesAreUsedAsGivenAbsurdOnesHeld) {
  EXPECT_TRUE(allBlack(render(definition("-3"), 0.01f)));
  // Above the engine's old limit of 256 the fan still divides by the count.
  EXPECT_FALSE(samePixels(render(definition("256"), 0.01f), render(definition("300"), 0.01f)));
  const int notesBefore = notesGiven();
  EXPECT_FALSE(allBlack(render(definition("2000000000"), 0.01f)));  // drawn, in bounded time
  EXPECT_EQ(notesGiven(), notesBefore + 1);
}
