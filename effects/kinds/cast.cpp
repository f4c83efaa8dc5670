#include "effects/kinds/cast.h"

#include <string>

#include "effects/camera.h"
#include "effects/parameters.h"
#include "gfx/gpu_programs.h"
#include "gfx/screen_quad.h"
#include "gfx/texture_pool.h"

namespace {

constexpr int kShapeValues = 10;  // "efuArvot"
constexpr int kLightValues = 8;   // "efuArvot2"
// Given in the object coordinates of the view, so it moves with the camera.
constexpr GLfloat kLightPosition[4] = {1, 5, 4, 1};

void resetDrawingState() {
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
}

// The built-in motion used when the definition does not set the camera.
void turnAndRise(float time) {
  glRotatef(2 * time, 1, 0.2f, 0.5f);
  glTranslatef(0, time, 0);
}

void setLight(GLenum term, const float* values) { glLightfv(GL_LIGHT0, term, values); }

}  // namespace

void CastEffect::render(float time, float timeStep) {
  framePrologue(time, timeStep);
  resetDrawingState();
  setup2D();
  glColor3ub(255, 255, 255);

  if (readInt(*this, "setCamera"))
    readAndSetupCamera(*this);
  else
    turnAndRise(time);

  float shape[kShapeValues], light[kLightValues];
  for (int i = 0; i < kShapeValues; ++i) shape[i] = readFloat(*this, "efuArvot", 0, i);
  for (int i = 0; i < kLightValues; ++i) light[i] = readFloat(*this, "efuArvot2", 0, i);

  // Every parameter is read before the program is bound, so a missing one
  // leaves no program behind.
  const std::string texture = readTexture(*this, "tumpe");
  useGlslProgram(gpuPrograms.glslProgram);
  glNormal3f(0.3f * time, shape[1], shape[2]);
  setLight(GL_AMBIENT, &shape[3]);
  setLight(GL_DIFFUSE, &light[0]);
  setLight(GL_SPECULAR, &light[4]);
  setLight(GL_POSITION, kLightPosition);
  glColor3f(0, shape[8], shape[9]);

  bindTexture(texture, GL_REPEAT, GL_LINEAR);
  drawScreenQuad(false);
  useGlslProgram(0);
  copyToTextureOut();
}
