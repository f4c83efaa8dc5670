// The cast effect: its parameters land in the fixed-function state the ray
// marcher reads, and its frame is the program's picture drawn directly with
// that state over a non-uniform texture.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "effects/camera.h"
#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "gfx/gpu_programs.h"
#include "gfx/screen_quad.h"
#include "gfx/texture_pool.h"
#include "script/error.h"
#include "support/effect_harness.h"

namespace {

constexpr float kShape[10] = {9, -0.35f, 0.4f, 0.3f, 0.2f, 0.6f, 0.1f, 9, 0.1f, 0.3f};
constexpr float kLight[8] = {1.1f, 0.3f, 0.5f, 0.4f, 0.9f, 1.0f, 0.4f, 0.95f};

std::string castDefinition(int setCamera) {
  std::string text = "code = cast\nint setCamera = " + std::to_string(setCamera) +
                     ";\nvec3 cameraPos = vec3(1, 2, 6);\nvec3 cameraLookAt;\nvec3 cameraRPY;\n"
                     "vec3 cameraLookAtRPY;\nfloat cameraZoom;\nfloat efuArvot[10];\n"
                     "float efuArvot2[8];\ntexture tumpe = \"castNoise\";\n";
  for (int i = 0; i < 10; ++i)
    text += "efuArvot[" + std::to_string(i) + "] = 0 + " + std::to_string(kShape[i]) + ";\n";
  for (int i = 0; i < 8; ++i)
    text += "efuArvot2[" + std::to_string(i) + "] = " + std::to_string(kLight[i]) + ";\n";
  return text;
}

void makeNoiseTexture() {
  std::vector<Rgba8> texels(16 * 16);
  for (int i = 0; i < 256; ++i)
    texels[i] = {uint8_t(i * 97 % 256), uint8_t(i * 53 % 256), uint8_t(i * 31 % 256), 255};
  setPoolTexture("castNoise", 16, 16, texels);
}

void expectVector(GLenum query, const float* expected, int count, const char* what) {
  float actual[16] = {};
  glGetFloatv(query, actual);
  for (int i = 0; i < count; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << what << " " << i;
}

void expectLight(GLenum term, const float* expected, const char* what) {
  float actual[4] = {};
  glGetLightfv(GL_LIGHT0, term, actual);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-4f) << what << " " << i;
}

// The program drawn over the frame with the state the effect is meant to set.
Frame drawProgramDirectly(const float* modelview, float time) {
  bindFrameTarget();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  setup2D();
  glLoadMatrixf(modelview);
  useGlslProgram(gpuPrograms.glslProgram);
  glNormal3f(0.3f * time, kShape[1], kShape[2]);
  glLightfv(GL_LIGHT0, GL_AMBIENT, &kShape[3]);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, &kLight[0]);
  glLightfv(GL_LIGHT0, GL_SPECULAR, &kLight[4]);
  const float position[4] = {1, 5, 4, 1};
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glColor3f(0, kShape[8], kShape[9]);
  bindTexture("castNoise", GL_REPEAT, GL_LINEAR);
  drawScreenQuad(false);
  useGlslProgram(0);
  return readFrame();
}

bool samePixels(const Frame& a, const Frame& b) {
  return a.pixels.size() == b.pixels.size() &&
         std::memcmp(a.pixels.data(), b.pixels.data(), a.pixels.size() * sizeof(Rgba8)) == 0;
}

class Cast : public EffectTest {};

}  // namespace

TEST_F(Cast, WithoutCameraTheViewTurnsAndRisesAndTheStateCarriesTheParameters) {
  makeNoiseTexture();
  auto effect = loadTestEffect(castDefinition(0));
  const float time = 1.3f;
  renderFrame(*effect, time);
  const Frame frame = readFrame();

  float modelview[16];
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glRotatef(2 * time, 1, 0.2f, 0.5f);
  glTranslatef(0, time, 0);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  glPopMatrix();
  expectVector(GL_MODELVIEW_MATRIX, modelview, 16, "model-view");
  const float normal[3] = {0.3f * time, kShape[1], kShape[2]};
  expectVector(GL_CURRENT_NORMAL, normal, 3, "normal");
  const float color[4] = {0, kShape[8], kShape[9], 1};
  expectVector(GL_CURRENT_COLOR, color, 4, "colour");
  expectLight(GL_AMBIENT, &kShape[3], "ambient");
  expectLight(GL_DIFFUSE, &kLight[0], "diffuse");
  expectLight(GL_SPECULAR, &kLight[4], "specular");
  float eyeLight[4];
  for (int i = 0; i < 4; ++i)
    eyeLight[i] = modelview[i] + 5 * modelview[4 + i] + 4 * modelview[8 + i] + modelview[12 + i];
  expectLight(GL_POSITION, eyeLight, "light position in eye space");

  EXPECT_TRUE(samePixels(frame, drawProgramDirectly(modelview, time)));
  int distinct = 0;
  for (const Rgba8& p : frame.pixels) distinct += p.r != frame.pixels[0].r || p.b != frame.pixels[0].b;
  EXPECT_GT(distinct, int(frame.pixels.size()) / 10) << "surface and fog both in view";
  renderFrame(*effect, time + 2.0f);
  EXPECT_FALSE(samePixels(frame, readFrame())) << "the view moves with time";
}

TEST_F(Cast, SetCameraViewsThroughTheCamera) {
  makeNoiseTexture();
  auto effect = loadTestEffect(castDefinition(1));
  renderFrame(*effect, 2.0f);
  const Frame frame = readFrame();
  const float cameraPosition[3] = {1, 2, 6};
  EXPECT_EQ(0, std::memcmp(&cameraState.position, cameraPosition, sizeof cameraPosition));
  float modelview[16];
  std::memcpy(modelview, cameraState.cameraMatrix, sizeof modelview);
  EXPECT_TRUE(samePixels(frame, drawProgramDirectly(modelview, 2.0f)));
}

TEST_F(Cast, MissingFirstParameterIsNamed) {
  auto effect = loadTestEffect("code = cast\nfloat efuArvot[10];\n");
  try {
    renderFrame(*effect, 1.0f);
    FAIL() << "no error";
  } catch (const ScriptError& error) {
    EXPECT_EQ(error.caption, kRuntimeErrorCaption);
    EXPECT_NE(error.text.find("int setCamera"), std::string::npos) << error.text;
  }
}
