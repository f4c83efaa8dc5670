// The twist kind drawn for known spectra: in mode 2 the tube's cross-section
// swells with the running spectrum average, so the rows it covers in several
// columns are compared with the projected, rotated cross-section worked on
// the CPU. Also: a mode outside 0..2 keeps the last shape, and the first
// parameter the kind reads is named when missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "music/music.h"
#include "script/error.h"
#include "support/effect_harness.h"

namespace {

constexpr float kCameraDistance = 0.6f;
// Frames before this time run 64 passes so the running average settles on
// the spectrum; later frames draw one pass at the frame's time.
constexpr float kSettledTime = 6.2831855f;  // the tube's middle is not turned

float spectrumLevel = 0.0f;
void constantSpectrum(float* values, int) { std::fill(values, values + kSpectrumBins, spectrumLevel); }

std::string twistDefinition(int lateMode = 2) {
  return "code = twist\n"
         "int accumNum = 1;\nint use16;\nint accumTimes = 1;\n"
         "if (time < 5) {\n accumTimes = 64;\n}\n"
         "vec3 backColor;\n"
         "int setCamera = 1;\nvec3 cameraPos = vec3(0, 0, 0.6);\nvec3 cameraLookAt;\n"
         "vec3 cameraRPY;\nvec3 cameraLookAtRPY;\nfloat cameraZoom;\n"
         "int mode = 2;\nif (time > 7) {\n mode = " + std::to_string(lateMode) + ";\n}\n"
         "float specLow;\nfloat specHigh;\nvec3 twistAxis;\nfloat twistPow;\nfloat twistY;\n"
         "float twistTimeY;\nfloat twistMulY;\nfloat twistX;\nfloat twistTimeX;\nfloat twistMulX;\n"
         "vec3 meshSpec;\nvec3 lightPos = vec3(0, 0, 5);\nfloat meshSpecPow = 8;\n"
         "float meshSpecMul;\nfloat meshSpecAdd;\nfloat meshTexAdd = 0.2;\nfloat meshBump;\n"
         "float meshTexMul = 1;\nfloat meshParallaxDepth;\nfloat meshParallaxBias;\n"
         "vec3 meshTexScale = vec3(1, 1, 0);\nvec3 meshColor = vec3(1, 1, 1);\n"
         "texture textureMesh = \"twistStripes\";\ntexture textureMeshBumpHeight = \"twistFlat\";\n"
         "vec3 meshPos;\nvec3 meshCen;\nvec3 meshRot;\nvec3 meshSca = vec3(1, 1, 1);\n";
}

class TwistEffectTest : public EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    if (IsSkipped()) return;
    std::vector<Rgba8> stripes(16 * 16), flat(16 * 16, Rgba8{128, 128, 0, 255});
    for (int i = 0; i < 256; ++i) stripes[i] = Rgba8{uint8_t(96 + (i % 16) * 9), 160, 200, 255};
    setPoolTexture("twistStripes", 16, 16, stripes);
    setPoolTexture("twistFlat", 16, 16, flat);
    setSpectrumSource(constantSpectrum);
  }
  void TearDown() override { setSpectrumSource(nullptr); }

  // Settles the average on `level` and draws one pass at kSettledTime. The
  // pass count is read before the frame's script runs, so the first frame
  // after the switch still runs the earlier count.
  Frame drawSettled(Effect& effect, float level) {
    spectrumLevel = level;
    for (int frame = 0; frame < 4; ++frame) renderFrame(effect, float(frame));
    renderFrame(effect, kSettledTime);
    renderFrame(effect, kSettledTime);
    return readFrame();
  }
};

int coveredRows(const Frame& frame, int column) {
  int rows = 0;
  for (int y = 0; y < frame.height; ++y) {
    const Rgba8& p = frame.at(column, y);
    rows += (p.r + p.g + p.b) > 0;
  }
  return rows;
}

// Rows whose centres fall inside the projected cross-section at `column`:
// the half-extents (0.1 g, 0.05 g) turned about x by 1.9 x + time.
int expectedRows(const Frame& frame, int column, float swell) {
  const double tanHalfFov = std::tan(M_PI / 6), aspect = 16.0 / 9.0;
  const double ndcX = (column + 0.5) / frame.width * 2 - 1;
  const double x = ndcX * aspect * tanHalfFov * kCameraDistance;
  const double angle = 1.9 * x + kSettledTime, c = std::cos(angle), s = std::sin(angle);
  double top = -1e9, bottom = 1e9;
  for (double y : {-0.1 * swell, 0.1 * swell})
    for (double z : {-0.05 * swell, 0.05 * swell}) {
      const double ndcY = (c * y + s * z) / (tanHalfFov * (kCameraDistance - (c * z - s * y)));
      top = std::max(top, ndcY);
      bottom = std::min(bottom, ndcY);
    }
  int rows = 0;
  for (int j = 0; j < frame.height; ++j) {
    const double centre = (j + 0.5) / frame.height * 2 - 1;
    rows += centre >= bottom && centre <= top;
  }
  return rows;
}

TEST_F(TwistEffectTest, CrossSectionSwellsWithTheSpectrumAverage) {
  auto effect = loadTestEffect(twistDefinition());
  const Frame silent = drawSettled(*effect, 0.0f);
  const Frame loud = drawSettled(*effect, 0.01f);
  // Away from the middle the turned faces catch the light at a glancing angle
  // and their edge rows go dark, so the columns stay within the faces' light.
  for (int column : {20, 26, 32, 38, 44}) {
    EXPECT_NEAR(coveredRows(silent, column), expectedRows(silent, column, 1.0f), 1) << column;
    EXPECT_NEAR(coveredRows(loud, column), expectedRows(loud, column, 2.0f), 1) << column;
  }
  EXPECT_GT(coveredRows(loud, 32), coveredRows(silent, 32) + 6);
}

TEST_F(TwistEffectTest, ModeOutsideTheListKeepsTheLastShape) {
  auto effect = loadTestEffect(twistDefinition(7));
  const Frame settled = drawSettled(*effect, 0.01f);
  spectrumLevel = 0.0f;
  renderFrame(*effect, 7.5f);
  const Frame kept = readFrame();
  for (int column : {12, 32, 52}) EXPECT_EQ(coveredRows(kept, column), coveredRows(settled, column));
}

TEST_F(TwistEffectTest, RingSizeAndPassCountAreHeldToBounds) {
  std::string definition = twistDefinition();
  definition.replace(definition.find("int accumNum = 1;"), 17, "int accumNum = 0;");
  definition.replace(definition.find(" accumTimes = 64;"), 17, " accumTimes = 100000000;");
  auto effect = loadTestEffect(definition);
  spectrumLevel = 0.0f;
  renderFrame(*effect, kSettledTime);
  EXPECT_GT(coveredRows(readFrame(), 32), 4);
}

}  // namespace
