// The cast effect's frame is the GLSL program's picture drawn with the
// parameters in the state the program reads (normal, colour, light 0) and
// the view the effect chooses: the built-in turning view, or the camera.
#include <gtest/gtest.h>

#include <string>

#include "effects/camera.h"
#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "gfx/gpu_programs.h"
#include "gfx/screen_quad.h"
#include "gfx/texture_pool.h"
#include "support/effect_harness.h"

namespace {

constexpr float kShape[10] = {9, -0.35f, 0.4f, 0.3f, 0.2f, 0.6f, 0.1f, 9, 0.1f, 0.3f};
constexpr float kLight[8] = {1.1f, 0.3f, 0.5f, 0.4f, 0.9f, 1.0f, 0.4f, 0.95f};

std::unique_ptr<Effect> loadCast(int setCamera) {
  std::vector<Rgba8> texels(16 * 16);
  for (int i = 0; i < 256; ++i)
    texels[i] = {uint8_t(i * 97 % 256), uint8_t(i * 53 % 256), uint8_t(i * 31 % 256), 255};
  setPoolTexture("castNoise", 16, 16, texels);
  std::string text = "code = cast\nint setCamera = " + std::to_string(setCamera) +
                     ";\nvec3 cameraPos = vec3(1, 2, 6);\nvec3 cameraLookAt;\nvec3 cameraRPY;\n"
                     "vec3 cameraLookAtRPY;\nfloat cameraZoom;\nfloat efuArvot[10];\n"
                     "float efuArvot2[8];\ntexture tumpe = \"castNoise\";\n";
  for (int i = 0; i < 10; ++i)
    text += "efuArvot[" + std::to_string(i) + "] = 0 + " + std::to_string(kShape[i]) + ";\n";
  for (int i = 0; i < 8; ++i)
    text += "efuArvot2[" + std::to_string(i) + "] = " + std::to_string(kLight[i]) + ";\n";
  return loadTestEffect(text);
}

// The program drawn directly under `modelview` with the intended state.
Frame programPicture(const float* modelview, float time) {
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

class Cast : public EffectTest {};

}  // namespace

TEST_F(Cast, WithoutCameraTheViewTurnsAndRisesWithTime) {
  auto effect = loadCast(0);
  for (const float time : {1.3f, 3.3f}) {
    renderFrame(*effect, time);
    const Frame frame = readFrame();
    float modelview[16];
    glLoadIdentity();
    glRotatef(2 * time, 1, 0.2f, 0.5f);
    glTranslatef(0, time, 0);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_TRUE(samePixels(frame, programPicture(modelview, time))) << "time " << time;
    int differing = 0;
    for (const Rgba8& p : frame.pixels) differing += p.r != frame.pixels[0].r;
    EXPECT_GT(differing, int(frame.pixels.size()) / 10) << "surface and fog both in view";
  }
}

TEST_F(Cast, SetCameraViewsThroughTheCamera) {
  renderFrame(*loadCast(1), 2.0f);
  const Frame frame = readFrame();
  EXPECT_EQ(cameraState.position.z, 6.0f);
  EXPECT_TRUE(samePixels(frame, programPicture(cameraState.cameraMatrix, 2.0f)));
}
