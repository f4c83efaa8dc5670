#include "effects/phong_shading.h"

#include <algorithm>
#include <string>

#include "effects/camera.h"
#include "effects/parameters.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/screen_quad.h"
#include "gfx/texture_pool.h"

PhongShadingBuffers phongShadingBuffers;

namespace {

// A fetch into component `component` of a 4-float buffer: a vector parameter
// fills the components after it, but never past the buffer's end.
void fetchInto(const Effect& effect, const char* name, float* buffer, int component,
               int components = 1) {
  float values[4];
  std::copy_n(buffer + component, 4 - component, values);
  effect.getFloat(name, values, components);
  std::copy_n(values, 4 - component, buffer + component);
}

void fetchVector(const Effect& effect, const char* name, float* out, float w) {
  effect.getFloat(name, out, 3);
  out[3] = w;
}

void bindNamedTexture(const Effect& effect, const char* name, GLenum unit) {
  gl.glActiveTextureARB(unit);
  bindTexture(readTexture(effect, name), GL_REPEAT, GL_LINEAR);
}

}  // namespace

void clearToBackColor(const Effect& effect) {
  const Vec3 color = readVec3(effect, "backColor");
  glClearColor(color.x, color.y, color.z, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void beginPhongShading(const Effect& effect) {
  PhongShadingBuffers& buffers = phongShadingBuffers;
  resetPhongShadingBuffers();
  fetchInto(effect, "meshSpec", buffers.specular, 0, 3);
  glDisable(GL_TEXTURE_2D);
  float light[4] = {}, textureScale[4] = {}, color[4] = {};
  fetchVector(effect, "lightPos", light, 0.0f);
  const char* controls[] = {"meshSpecPow", "meshSpecMul", "meshSpecAdd", "meshTexAdd"};
  for (int i = 0; i < 4; ++i) fetchInto(effect, controls[i], buffers.specularControl, i);
  const char* bumps[] = {"meshBump", "meshTexMul", "meshParallaxDepth", "meshParallaxBias"};
  for (int i = 0; i < 4; ++i) fetchInto(effect, bumps[i], buffers.bump, i);
  fetchVector(effect, "meshTexScale", textureScale, 0.0f);
  const Vec4 eyeLight = lightToEyeSpace(light);
  setProgramEnv(GL_VERTEX_PROGRAM_ARB, 0, eyeLight.x, eyeLight.y, eyeLight.z, eyeLight.w);
  setProgramEnv(GL_VERTEX_PROGRAM_ARB, 1, textureScale[0], textureScale[1], textureScale[2], 0);
  fetchVector(effect, "meshColor", color, 1.0f);
  setProgramEnv(GL_FRAGMENT_PROGRAM_ARB, 0, color[0], color[1], color[2], color[3]);
  bindNamedTexture(effect, "textureMesh", GL_TEXTURE1_ARB);
  bindNamedTexture(effect, "textureMeshBumpHeight", GL_TEXTURE0_ARB);
  bindGpuPrograms(gpuPrograms.phong);
  for (int i = 0; i < 3; ++i) {
    const float* values = i == 0 ? buffers.specular : i == 1 ? buffers.specularControl : buffers.bump;
    setProgramEnv(GL_FRAGMENT_PROGRAM_ARB, i + 1, values[0], values[1], values[2], values[3]);
  }
}

void endPhongShading() {
  releaseTextureUnits();
  unbindGpuPrograms();
}

void resetPhongShadingBuffers() {
  PhongShadingBuffers& buffers = phongShadingBuffers;
  constexpr float kSpecular[4] = {1.5f, 1.4f, 1.1f, 1.0f};
  constexpr float kBump[4] = {2.0f, 0.15f, 0.01f, 0.0f};
  std::copy_n(kSpecular, 4, buffers.specular);
  buffers.specularControl[0] = 4.0f;
  buffers.specularControl[1] = 0.995f;
  std::copy_n(kBump, 4, buffers.bump);
}
