#include "gfx/material_pass.h"

#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/texture_pool.h"

namespace {

Vec4 lit(const Vec3& light, const std::array<float, 3>& colour) {
  return {light.x * colour[0], light.y * colour[1], light.z * colour[2], 1.0f};
}

Vec4 toVec4(const std::array<float, 4>& v) { return {v[0], v[1], v[2], v[3]}; }

void bindOnUnit(GLenum unit, const std::string& name, GLint wrap) {
  gl.glActiveTextureARB(unit);
  bindTexture(name, wrap, GL_LINEAR);
  glEnable(GL_TEXTURE_2D);
}

}  // namespace

std::array<Vec4, 10> materialFragmentEnvironment(const Material& m, const Vec3& lightColor) {
  return {
      lit(lightColor, m.diffuse),
      lit(lightColor, m.specular),
      Vec4{m.specularPow, 1.0f, m.specularAdd, m.texAdd},
      Vec4{m.bump, m.texMul, m.parallaxDepth, m.parallaxBias},
      Vec4{m.envAmount, m.envTexAmount, m.envPosMul[0], m.envPosMul[1]},
      lit(lightColor, m.ambient),
      toVec4(m.texScaleOffset),
      toVec4(m.texBumpScaleOffset),
      toVec4(m.texSpecularScaleOffset),
      toVec4(m.texEnvScaleOffset),
  };
}

void applyMaterialPass(const Material& material, const Vec3& lightColor,
                       const Vec3& lightEyePosition) {
  bindMaterialTextures(material);
  setMaterialEnvironment(material, lightColor, lightEyePosition);
}

void bindMaterialTextures(const Material& material) {
  bindOnUnit(GL_TEXTURE3_ARB, material.envTextureName, material.textureEnvRepeatMode);
  bindOnUnit(GL_TEXTURE2_ARB, material.specularTextureName, material.textureSpecularRepeatMode);
  bindOnUnit(GL_TEXTURE1_ARB, material.textureName, material.textureRepeatMode);
  bindOnUnit(GL_TEXTURE0_ARB, material.bumpTextureName, material.textureBumpRepeatMode);
}

void setMaterialEnvironment(const Material& material, const Vec3& lightColor,
                            const Vec3& lightEyePosition) {
  const Vec4 light{lightEyePosition.x, lightEyePosition.y, lightEyePosition.z, 0.0f};
  gl.glProgramEnvParameter4fvARB(GL_VERTEX_PROGRAM_ARB, 0, &light.x);
  const std::array<Vec4, 10> environment = materialFragmentEnvironment(material, lightColor);
  for (size_t i = 0; i < environment.size(); ++i)
    gl.glProgramEnvParameter4fvARB(GL_FRAGMENT_PROGRAM_ARB, static_cast<GLuint>(i), &environment[i].x);
}

void endMaterialPasses() {
  for (GLenum unit : {GL_TEXTURE3_ARB, GL_TEXTURE2_ARB, GL_TEXTURE1_ARB, GL_TEXTURE0_ARB}) {
    gl.glActiveTextureARB(unit);
    glDisable(GL_TEXTURE_2D);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  unbindGpuPrograms();
}
