// The cube tube kind drawn for two known spectra: silence and a steady
// spectrum give different pictures in the modes the show uses; and the first
// parameter it reads is named when missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "effects/kinds/cubetube.h"
#include "music/music.h"
#include "script/error.h"
#include "support/effect_harness.h"

namespace {

float spectrumLevel = 0.0f;
void constantSpectrum(float* values, int) { std::fill(values, values + kSpectrumBins, spectrumLevel); }

std::string cubetubeDefinition(int mode) {
  return "code = cubetube\n"
         "int accumNum = 2;\nint use16;\nint accumTimes = 2;\n"
         "if (time < 5) {\n accumTimes = 16;\n}\n"
         "mesh meshParticles;\nvec3 backColor;\n"
         "int setCamera = 1;\nvec3 cameraPos;\nvec3 cameraLookAt = vec3(2, 3, 10);\n"
         "vec3 cameraRPY;\nvec3 cameraLookAtRPY;\nfloat cameraZoom = 0 - 14;\n"
         "int mode = " + std::to_string(mode) + ";\nint numLights = 2;\n"
         "vec3 lightPos[2];\nlightPos[0] = vec3(20, 6, 6);\nlightPos[1] = vec3(8, 2, 0 - 3);\n"
         "vec3 lightColor[2] = vec3(1, 0.9, 0.8);\n"
         "texture lightTexture = \"cubeStripes\";\nfloat lightSize = 1;\nint meshNormalInv;\n"
         "material meshMaterial = \"materials/cubetube.txt\";\n"
         "vec3 meshPos;\nvec3 meshCen;\nvec3 meshRot;\nvec3 meshSca = vec3(1, 1, 1);\n"
         "texture textureParticle = \"cubeStripes\";\ntexture textureDistor = \"cubeStripes\";\n";
}

class CubetubeEffectTest : public EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    if (IsSkipped()) return;
    std::vector<Rgba8> stripes(16 * 16);
    for (int i = 0; i < 256; ++i) stripes[i] = Rgba8{uint8_t(80 + (i % 16) * 10), 200, 120, 255};
    setPoolTexture("cubeStripes", 16, 16, stripes);
    setSpectrumSource(constantSpectrum);
  }
  void TearDown() override { setSpectrumSource(nullptr); }

  // Moves the spectrum history well towards `level`, then draws a frame at
  // time 6.
  Frame drawSettled(Effect& effect, float level) {
    spectrumLevel = level;
    for (int frame = 0; frame < 2; ++frame) renderFrame(effect, float(frame));
    renderFrame(effect, 6.0f);
    return readFrame();
  }
};

int differingPixels(const Frame& a, const Frame& b) {
  int count = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    const Rgba8 &p = a.pixels[i], &q = b.pixels[i];
    count += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 24;
  }
  return count;
}

int litPixels(const Frame& frame) {
  return int(std::count_if(frame.pixels.begin(), frame.pixels.end(),
                           [](const Rgba8& p) { return p.r + p.g + p.b > 30; }));
}

TEST_F(CubetubeEffectTest, DrawsDifferentlyForTwoSpectra) {
  InShowFolder show;
  for (int mode : {0, 2}) {
    auto effect = loadTestEffect(cubetubeDefinition(mode));
    const Frame silent = drawSettled(*effect, 0.0f);
    const Frame loud = drawSettled(*effect, 0.002f);
    EXPECT_GT(litPixels(silent) + litPixels(loud), 40) << mode;
    EXPECT_GT(differingPixels(silent, loud), 40) << mode;
  }
}

// Only the rest x is reshaped: a mode outside 0..2 deforms nothing, and the
// tube then keeps the positions it was built with.
TEST(CubetubeShape, PinchingReshapesOnlyTheRestX) {
  const float built[] = {-0.5f, -0.25f, 0.0f, 0.125f, 0.5f};
  Mesh tube;
  for (const float x : built) {
    MeshVertex vertex;
    vertex.position = vertex.restPosition = {x, 0.3f, -0.2f};
    tube.vertices.push_back(vertex);
  }
  pinchTube(tube);
  const float pinched[] = {-16.0f, -1.0f, 0.0f, 0.0625f, 16.0f};
  for (size_t i = 0; i < tube.vertices.size(); ++i) {
    const MeshVertex& vertex = tube.vertices[i];
    EXPECT_FLOAT_EQ(vertex.restPosition.x, pinched[i]) << i;
    EXPECT_EQ(vertex.position.x, built[i]) << i;
    EXPECT_EQ(vertex.restPosition.y, 0.3f);
    EXPECT_EQ(vertex.position.z, -0.2f);
  }
}

}  // namespace
