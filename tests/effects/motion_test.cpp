// The motion blur kind: for a mesh sliding along x at a known speed, the
// velocity image holds the clip-space displacement between its two passes,
// and the frame is the 16-sample average of the lit picture along the longer
// velocity at each pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "effects/phong_kind_definitions.h"
#include "gfx/frame_target.h"
#include "script/error.h"
#include "support/effect_harness.h"
#include "support/temp_dir.h"

namespace {

constexpr float kSpeed = 2.0f;     // meshPos.x per time unit
constexpr float kTimeStep = 0.1f;  // motionTimeStep
constexpr float kBlurStep = 0.02f;

std::string definition() {
  return std::string("code = motion\nint use16;\nfloat motionTimeStep = 0.1;\n") + kCameraOnZ +
         "float animFactor = 1;\nvec3 twistAxis = vec3(0, 1, 0);\nfloat twistPow = 1;\n"
         "float twistY;\nfloat twistTimeY;\nfloat twistMulY;\nfloat twistX;\nfloat twistTimeX;\n"
         "float twistMulX;\nvec3 meshPos = vec3(time * 2, 0, 0);\nvec3 meshCen;\n"
         "vec3 meshRot = vec3(30, 20, 0);\nvec3 meshSca = vec3(0.8, 0.8, 0.8);\n"
         "float motionVelocityScale = 1;\nvec3 backColor = vec3(0.1, 0.2, 0.3);\n" +
         kShadingBlock + "vec3 motionBlurScale = vec3(0, 0.02, 0);\n";
}

float channel(const Rgba8& p, int c) {
  const uint8_t values[4] = {p.r, p.g, p.b, p.a};
  return values[c] / 255.0f;
}

// GL_LINEAR with GL_REPEAT.
float sample(const Frame& image, float u, float v, int c) {
  const float x = u * image.width - 0.5f, y = v * image.height - 0.5f;
  const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
  const float fx = x - float(x0), fy = y - float(y0);
  auto texel = [&](int tx, int ty) {
    tx = ((tx % image.width) + image.width) % image.width;
    ty = ((ty % image.height) + image.height) % image.height;
    return channel(image.at(tx, ty), c);
  };
  return (texel(x0, y0) * (1 - fx) + texel(x0 + 1, y0) * fx) * (1 - fy) +
         (texel(x0, y0 + 1) * (1 - fx) + texel(x0 + 1, y0 + 1) * fx) * fy;
}

class Motion : public EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    if (IsSkipped()) return;
    std::vector<Rgba8> ramp;
    for (int i = 0; i < 64 * 64; ++i) ramp.push_back({uint8_t(i % 64 * 4), uint8_t(i / 64 * 4), 90, 255});
    setPoolTexture("ramp", 64, 64, ramp);
    effect_ = loadTestEffect(definition());
    renderFrame(*effect_, 1.0f);
  }

  InShowFolder inShow_;
  std::unique_ptr<Effect> effect_;
};

}  // namespace

TEST_F(Motion, VelocityImagesHoldTheKnownMotion) {
  // Clip x is the eye x times the projection's x focal: the second pass sees
  // the mesh kSpeed * kTimeStep further along x than the first.
  const float focal = 1.0f / std::tan(30.0f * 3.14159265f / 180.0f);
  const float expectedX = 0.5f * (1.0f - kSpeed * kTimeStep * focal / pictureAspect());
  // The two passes alternate between the images through an index shared by
  // every motion effect, so which one the later pass wrote depends on the
  // effects before; the other holds the first pass of all, which has no pass
  // before it and so encodes no motion.
  Frame images[2] = {readPoolTexture("motionVelocity0"), readPoolTexture("motionVelocity1")};
  auto movingPixels = [&](const Frame& image) {
    int moving = 0;
    for (const Rgba8& p : image.pixels) {
      if (std::abs(channel(p, 0) - 0.5f) < 1.5f / 255) continue;  // grey: no motion
      EXPECT_NEAR(channel(p, 0), expectedX, 1.5f / 255);
      EXPECT_NEAR(channel(p, 1), 0.5f, 1.5f / 255);
      ++moving;
    }
    return moving;
  };
  const int moving[2] = {movingPixels(images[0]), movingPixels(images[1])};
  EXPECT_GT(std::max(moving[0], moving[1]), 50);
  EXPECT_EQ(std::min(moving[0], moving[1]), 0);
}

TEST_F(Motion, FrameAveragesTheLitPictureAlongTheLongerVelocity) {
  const Frame frame = readFrame();
  const Frame rgb = readPoolTexture("motionRGB");
  // Unit 1 holds "motionVelocity1", unit 2 "motionVelocity0"; ties go to unit 1.
  const Frame unit1 = readPoolTexture("motionVelocity1"), unit2 = readPoolTexture("motionVelocity0");
  int blurred = 0, mismatched = 0;
  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x) {
      const float u = (x + 0.5f) / frame.width, v = (y + 0.5f) / frame.height;
      float velocity[2][2];
      for (int c = 0; c < 2; ++c) {
        velocity[0][c] = (sample(unit1, u, v, c) - 0.5f) * 2;
        velocity[1][c] = (sample(unit2, u, v, c) - 0.5f) * 2;
      }
      auto length2 = [](const float* w) { return w[0] * w[0] + w[1] * w[1]; };
      const float* w = length2(velocity[0]) >= length2(velocity[1]) ? velocity[0] : velocity[1];
      for (int c = 0; c < 3; ++c) {
        float sum = 0;
        for (int i = 0; i < 16; ++i)
          sum += 0.0625f * sample(rgb, u + w[0] * i * kBlurStep, v + w[1] * i * kBlurStep, c);
        mismatched += std::abs(channel(frame.at(x, y), c) - sum) > 3.0f / 255;
        blurred += c == 0 && std::abs(sum - sample(rgb, u, v, c)) > 10.0f / 255;
      }
    }
  EXPECT_GT(blurred, 20);  // the blur visibly moves colour
  // The GPU's filter weights have few bits: where a velocity edge lies under
  // the filter, a pixel may take its samples a little elsewhere.
  EXPECT_LE(mismatched, frame.width * frame.height / 200);
}

TEST(MotionKind, ShapesOfDifferentSizesBlendOverTheVerticesTheyShare) {
  ASSERT_TRUE(openTestContext()) << "no GL context (run under xvfb-run)";
  TempDir dir;
  const std::string meshes = showDataDir() + "/quarno/meshes/";
  std::filesystem::create_directories("quarno/meshes");
  // The open shape has more vertices than the closed one.
  std::filesystem::copy_file(meshes + "dots.lwo", "quarno/meshes/vurivev_meta_open.lwo");
  std::filesystem::copy_file(meshes + "vurivev_meta_open.lwo", "quarno/meshes/vurivev_meta_close2.lwo");
  setPoolTexture("ramp", 1, 1, {{200, 200, 200, 255}});
  auto effect = loadTestEffect(definition());
  renderFrame(*effect, 1.0f);
  int lit = 0;
  for (const Rgba8& p : readFrame().pixels) lit += p.r > 60;
  EXPECT_GT(lit, 0);
}
