// The spectrum effect for a known spectrum: the fan's line lies where the
// camera projects the spectrum's points, lit by weight x value x brightness;
// silence draws nothing; the frame always lands in "back"; the camera closes
// in and is pushed out at the end of the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "effects/camera.h"
#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "gfx/math.h"
#include "music/music.h"
#include "script/error.h"
#include "support/effect_harness.h"

namespace {

// Large enough for the line to be resolved point by point.
constexpr int kWidth = 256, kHeight = 128;

float spectrumLevel = 0;

// Rising with the bin, so the bins the points read matter.
float spectrumAt(int bin) { return spectrumLevel * (0.5f + bin / 1024.0f); }

void risingSpectrum(float* values, int) {
  for (int bin = 0; bin < kSpectrumBins; ++bin) values[bin] = spectrumAt(bin);
}

std::string spectrumDefinition(const std::string& strips, float decrease = 0) {
  return "code = spektrometri\nvec3 cameraLookAt;\nvec3 cameraPosition = vec3(0, 0, 10);\n"
         "float cameraPositionMul = 1;\nfloat cameraPositionMulDecrease = " +
         std::to_string(decrease) +
         ";\nfloat glenzBeatSpecLow;\nfloat glenzBeatSpecHigh;\nfloat kirkkaus = 50;\n"
         "int numRevol = " + strips + ";\nfloat scaleX = 0.5;\nfloat suuruus = 0.5;\n";
}

class Spectrum : public EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    cameraState = {};  // no turns or zoom left by earlier effects
    setSpectrumSource(risingSpectrum);
  }
  void TearDown() override { setSpectrumSource(nullptr); }

  Frame render(const std::string& definition, float level, float time = 1.0f,
               float end = 1000.0f) {
    spectrumLevel = level;
    effect_ = loadTestEffect(definition, testEntry(0, end, {}, {}, {"spectrumOut"}));
    renderFrame(*effect_, time);
    return readFrame();
  }

  std::unique_ptr<Effect> effect_;
};

bool samePixels(const Frame& a, const Frame& b) {
  return a.pixels.size() == b.pixels.size() &&
         std::memcmp(a.pixels.data(), b.pixels.data(), a.pixels.size() * sizeof(Rgba8)) == 0;
}

// Window coordinates of an object point under the current matrices.
void project(double x, double y, double* px, double* py) {
  double modelview[16], projection[16], z;
  const GLint viewport[4] = {0, 0, renderWidth(), renderHeight()};
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  gluProject(x, y, 0, modelview, projection, viewport, px, py, &z);
}

}  // namespace

TEST_F(Spectrum, OneStripTracesTheSpectrum) {
  const ScopedRenderSize size(kWidth, kHeight);
  const Frame frame = render(spectrumDefinition("1"), 0.008f);
  struct Point {
    double x, y;
    float grey;
  };
  std::vector<Point> points;
  for (int i = 0; i < 1024; ++i) {
    const float weight = (float(i * i) / 1024 - float((i - 2) * (i - 2)) / 1024) * 0.5f;
    const float value = spectrumAt(i * i / 1024);
    Point point{0, 0, std::clamp(weight * value * 50, 0.0f, 1.0f)};
    project(-8 * 0.5 * (i - 512) / 512, 200 * value * weight, &point.x, &point.y);
    points.push_back(point);
  }
  // In every column the line's brightest pixel lies among the points that
  // fall in that column, in their grey.
  int checked = 0;
  for (int x = 0; x < kWidth; ++x) {
    double low = 1e9, high = -1e9;
    float dark = 1, bright = 0;
    for (const Point& p : points)
      if (std::fabs(p.x - (x + 0.5)) <= 1 && p.grey > 0.1f) {
        low = std::min(low, p.y);
        high = std::max(high, p.y);
        dark = std::min(dark, p.grey);
        bright = std::max(bright, p.grey);
      }
    if (low > high) continue;
    int brightest = 0;
    for (int y = 0; y < kHeight; ++y)
      if (frame.at(x, y).r > frame.at(x, brightest).r) brightest = y;
    EXPECT_GE(brightest + 1, low - 0.5) << "column " << x;
    EXPECT_LE(brightest, high + 0.5) << "column " << x;
    EXPECT_GE(frame.at(x, brightest).r / 255.0f, dark - 0.03f) << "column " << x;
    EXPECT_LE(frame.at(x, brightest).r / 255.0f, bright + 0.03f) << "column " << x;
    ++checked;
  }
  EXPECT_GT(checked, 60);
}

TEST_F(Spectrum, TheFrameLandsInBackNotInTextureOut) {
  const Frame frame = render(spectrumDefinition("12"), 0.01f);
  EXPECT_TRUE(samePixels(frame, readPoolTexture("back")));
  const Frame out = readPoolTexture("spectrumOut");
  EXPECT_TRUE(std::all_of(out.pixels.begin(), out.pixels.end(), [](Rgba8 p) { return p.r == 0; }));
}

TEST_F(Spectrum, SilenceDrawsBlackAndLouderDrawsHigher) {
  const Frame silent = render(spectrumDefinition("12"), 0.0f);
  EXPECT_TRUE(std::all_of(silent.pixels.begin(), silent.pixels.end(),
                          [](Rgba8 p) { return p.r == 0 && p.g == 0 && p.b == 0; }));
  const Frame quiet = render(spectrumDefinition("12"), 0.004f);
  const Frame loud = render(spectrumDefinition("12"), 0.012f);
  auto litRows = [](const Frame& f) {
    int rows = 0;
    for (int y = 0; y < f.height; ++y) {
      bool lit = false;
      for (int x = 0; x < f.width; ++x) lit |= f.at(x, y).r > 20;
      rows += lit;
    }
    return rows;
  };
  EXPECT_GT(litRows(quiet), 2);
  EXPECT_GT(litRows(loud), litRows(quiet) + 4) << "a louder spectrum opens the fan wider";
}

TEST_F(Spectrum, CameraClosesInThenIsPushedOutAtTheEnd) {
  const float window = 10, decrease = 0.1f;
  for (const float time : {2.0f, 9.25f}) {
    render(spectrumDefinition("0", decrease), 0.01f, time, window);
    const float ramp = rampUp(time * 3.5874999f * 0.27874565f, window - 1.5f, 1.5f);
    const float scale =
        (1 - (decrease / window) * (time * 3.5874999f)) * (5 * std::pow(ramp, 4.0f) + 1);
    EXPECT_NEAR(cameraState.position.z, 10 * scale, 1e-4f) << "time " << time;
  }
}

TEST_F(Spectrum, StripCountsOutsideTheRangeDrawNothingOrAtMostTheLimit) {
  EXPECT_TRUE(samePixels(render(spectrumDefinition("0"), 0.01f), render(spectrumDefinition("-3"), 0.01f)));
  const Frame none = render(spectrumDefinition("-3"), 0.01f);
  EXPECT_TRUE(std::all_of(none.pixels.begin(), none.pixels.end(), [](Rgba8 p) { return p.r == 0; }));
  EXPECT_TRUE(samePixels(render(spectrumDefinition("256"), 0.01f),
                         render(spectrumDefinition("2000000000"), 0.01f)));
}

TEST_F(Spectrum, MissingFirstParameterIsNamed) {
  auto effect = loadTestEffect("code = spektrometri\nvec3 cameraPosition;\n");
  try {
    renderFrame(*effect, 1.0f);
    FAIL() << "no error";
  } catch (const ScriptError& error) {
    EXPECT_EQ(error.caption, kRuntimeErrorCaption);
    EXPECT_NE(error.text.find("float cameraLookAt"), std::string::npos) << error.text;
  }
}
