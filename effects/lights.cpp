#include "effects/lights.h"

#include "effects/parameters.h"
#include "gfx/gl.h"
#include "gfx/sprites.h"
#include "gfx/texture_pool.h"

int lightCount(const Effect& effect) { return readHeldCount(effect, "numLights", kMaxLights); }

Light readLight(const Effect& effect, int index) {
  const Vec3 position = readVec3(effect, "lightPos", {}, index);
  return {position, readVec3(effect, "lightColor", {}, index)};
}

void beginLightPass(int pass) {
  if (pass == 0) {
    glDisable(GL_BLEND);
    return;
  }
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
}

void drawLightFlare(const Effect& effect, int index, const Light& light) {
  beginSprites();
  bindTexture(readTexture(effect, "lightTexture", index), GL_REPEAT, GL_LINEAR);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_BLEND);
  const float size = readFloat(effect, "lightSize");
  // The same sprite twice doubles its additive glow.
  for (int i = 0; i < 2; ++i) drawSprite(light.position, size, size, light.color, 0.0f, 1.0f);
  endSprites();
}
