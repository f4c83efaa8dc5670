// The shared parameter blocks read from effect scripts.
#include <gtest/gtest.h>

#include "effects/camera.h"
#include "effects/lights.h"
#include "effects/phong_shading.h"
#include "framework/effect_loader.h"
#include "support/effect_harness.h"

namespace {

std::unique_ptr<Effect> createPlain(std::string_view) { return std::make_unique<Effect>(); }

std::unique_ptr<Effect> effectWith(const std::string& body) {
  TimelineEntry entry;
  entry.definitionName = "blocks.txt";
  entry.end = 1;
  return loadEffect(entry, "code = plain\n" + body, createPlain, ResourceLoaders());
}

const char* kShadingBlock =
    "vec3 lightPos = vec3(1, 2, 3);\nvec3 meshTexScale = vec3(1, 1, 1);\n"
    "vec3 meshColor = vec3(1, 1, 1);\nfloat meshSpecPow = 8;\nfloat meshSpecMul = 0.5;\n"
    "float meshSpecAdd = 0.25;\nfloat meshBump = 1;\nfloat meshTexMul = 1;\n"
    "float meshParallaxDepth = 0;\nfloat meshParallaxBias = 0;\n"
    "texture textureMesh = \"none\";\ntexture textureMeshBumpHeight = \"none\";\n";

}  // namespace

TEST_F(EffectTest, PhongShadingParametersWithFewerComponentsKeepThePresets) {
  auto effect = effectWith(std::string(kShadingBlock) +
                           "float meshSpec = 0.5;\nvec4 meshTexAdd = vec4(0.1, 7, 7, 7);\n");
  beginPhongShading(*effect);
  endPhongShading();
  const PhongShadingBuffers& buffers = phongShadingBuffers;
  EXPECT_EQ(buffers.specular[0], 0.5f);
  EXPECT_EQ(buffers.specular[1], 1.4f);
  EXPECT_EQ(buffers.specular[2], 1.1f);
  EXPECT_EQ(buffers.specular[3], 1.0f);
  EXPECT_EQ(buffers.specularControl[0], 8.0f);
  EXPECT_EQ(buffers.specularControl[1], 0.5f);
  EXPECT_EQ(buffers.specularControl[2], 0.25f);
  // A vec4 at the last component fills only what the buffer holds.
  EXPECT_FLOAT_EQ(buffers.specularControl[3], 0.1f);
  EXPECT_FLOAT_EQ(buffers.bump[3], 0.0f);
}

TEST_F(EffectTest, CameraLaterEffectWithoutSetCameraKeepsTheEarlierCamera) {
  auto setter = effectWith(
      "int setCamera = 1;\nvec3 cameraPos = vec3(0, 0, 5);\nvec3 cameraLookAt;\n"
      "vec3 cameraRPY;\nvec3 cameraLookAtRPY;\nfloat cameraZoom = 1;\n");
  auto follower = effectWith("int setCamera = 0;\nvec3 cameraPos = vec3(9, 9, 9);\n");
  readAndSetupCamera(*setter);
  readAndSetupCamera(*follower);
  EXPECT_EQ(cameraState.position.z, 5.0f);
  EXPECT_EQ(cameraState.direction.z, -1.0f);
  EXPECT_EQ(cameraState.zoom, 1.0f);
  // The eye is moved along the view by the zoom: the camera matrix carries it.
  EXPECT_NEAR(cameraState.cameraMatrix[14], -4.0f, 1e-5f);
}

TEST_F(EffectTest, CameraLookingAtItselfIsDegenerateButHarmless) {
  auto effect = effectWith(
      "int setCamera = 1;\nvec3 cameraPos = vec3(1, 1, 1);\nvec3 cameraLookAt = vec3(1, 1, 1);\n"
      "vec3 cameraRPY;\nvec3 cameraLookAtRPY;\nfloat cameraZoom;\n");
  readAndSetupCamera(*effect);
  EXPECT_EQ(cameraState.direction.x, 0.0f);
  EXPECT_EQ(cameraState.direction.y, 0.0f);
  EXPECT_EQ(cameraState.direction.z, 0.0f);
}

TEST_F(EffectTest, LightsArraysByIndex) {
  auto effect = effectWith(
      "int numLights = 2;\nvec3 lightPos[2];\nvec3 lightColor[2];\n"
      "lightPos[1] = vec3(4, 5, 6);\nlightColor[1] = vec3(0.5, 0.25, 1);\n");
  EXPECT_EQ(lightCount(*effect), 2);
  const Light light = readLight(*effect, 1);
  EXPECT_EQ(light.position.y, 5.0f);
  EXPECT_EQ(light.color.y, 0.25f);
}
