// The mesh accumulation kind: the frame it shows is the average of the ring
// textures its passes wrote, each added at weight 1/accumNum by its alpha; the
// float path gives the same picture every frame instead of adding up. Also
// the ring's bounds and its wrap.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "effects/accumulation_ring.h"
#include "effects/phong_kind_definitions.h"
#include "script/error.h"
#include "support/effect_harness.h"

namespace {

// Three passes a frame into a ring of three; the head turns fast enough for
// the passes to differ.
std::string definition(int use16) {
  return std::string("code = meshi\nint accumNum = 3;\nint accumTimes = 3;\nint use16 = ") +
         std::to_string(use16) + ";\n" + kCameraOnZ + kShadingBlock +
         "float animFactor = 1;\nvec3 twistAxis;\nfloat twistPow;\nfloat twistY;\n"
         "float twistTimeY;\nfloat twistMulY;\nfloat twistX;\nfloat twistTimeX;\n"
         "float twistMulX;\nvec3 meshPos;\nvec3 meshCen;\nvec3 meshRot = vec3(0, time * 600, 0);\n"
         "vec3 meshSca = vec3(1, 1, 1);\nint meshNormalInv = 0;\n";
}

void makeRamp() {
  std::vector<Rgba8> ramp;
  for (int i = 0; i < 64 * 64; ++i) ramp.push_back({uint8_t(i % 64 * 4), uint8_t(i / 64 * 4), 90, 255});
  setPoolTexture("ramp", 64, 64, ramp);
}

// Each channel of the average: sum over the ring of colour x alpha / 3.
float averaged(const Frame (&ring)[3], size_t i, int channel) {
  float sum = 0;
  for (const Frame& pass : ring) {
    const Rgba8& p = pass.pixels[i];
    const uint8_t values[3] = {p.r, p.g, p.b};
    sum += values[channel] / 255.0f * (p.a / 255.0f) / 3.0f;
  }
  return std::min(sum, 1.0f);
}

void expectFrameIsRingAverage(const Frame& frame, float tolerance) {
  Frame ring[3];
  for (int j = 0; j < 3; ++j) ring[j] = readPoolTexture(ringTextureName(j));
  int differing = 0, lit = 0;
  for (size_t i = 0; i < frame.pixels.size(); ++i) {
    const Rgba8& p = frame.pixels[i];
    const uint8_t values[3] = {p.r, p.g, p.b};
    for (int c = 0; c < 3; ++c)
      ASSERT_NEAR(values[c] / 255.0f, averaged(ring, i, c), tolerance) << "pixel " << i;
    differing += ring[0].pixels[i].r != ring[1].pixels[i].r;
    lit += p.r > 20;
  }
  EXPECT_GT(differing, 10);  // the passes are not all the same picture
  EXPECT_GT(lit, 50);
}

}  // namespace

class Meshi : public EffectTest {};

TEST_F(Meshi, FrameIsTheAverageOfTheRingItsPassesWrote) {
  InShowFolder inShow;
  makeRamp();
  auto effect = loadTestEffect(definition(0));
  renderFrame(*effect, 1.0f);
  // Each of the three blends rounds to 8 bits.
  expectFrameIsRingAverage(readFrame(), 2.5f / 255.0f);
}

TEST_F(Meshi, FloatSumGivesTheAverageEveryFrameWithoutAddingUp) {
  InShowFolder inShow;
  makeRamp();
  auto effect = loadTestEffect(definition(1));
  renderFrame(*effect, 1.0f);
  renderFrame(*effect, 1.0f);
  expectFrameIsRingAverage(readFrame(), 1.5f / 255.0f);
}

TEST(AccumulationRing, CountsFromParametersAreBounded) {
  EXPECT_EQ(clampRingSize(0), 1);
  EXPECT_EQ(clampRingSize(-5), 1);
  EXPECT_EQ(clampRingSize(1000000), kMaxRingSize);
  EXPECT_EQ(clampPassCount(-1), 0);
  EXPECT_EQ(clampPassCount(1 << 30), kMaxPassesPerFrame);
}

TEST(AccumulationRing, CursorWrapsAtTheRingSizeEvenWhenLeftBeyondIt) {
  RingCursor cursor;
  EXPECT_EQ(advanceRing(cursor, 2), 0);
  EXPECT_EQ(advanceRing(cursor, 2), 1);
  EXPECT_EQ(advanceRing(cursor, 2), 0);
  cursor.index = 5;  // left there by an instance with a larger ring
  EXPECT_EQ(advanceRing(cursor, 2), 0);
  EXPECT_FLOAT_EQ(passTime(10, 2, 4), 10.025f);
}
