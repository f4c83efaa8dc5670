#include "effects/lights.h"

#include <string>

#include "gfx/gl.h"
#include "gfx/sprites.h"
#include "gfx/texture_pool.h"

int lightCount(const Effect& effect) {
  int count = 0;
  effect.getInt("numLights", count);
  return count;
}

Light readLight(const Effect& effect, int index) {
  float position[4] = {}, color[4] = {};
  effect.getFloatAt("lightPos", position, index);
  effect.getFloatAt("lightColor", color, index);
  return {{position[0], position[1], position[2]}, {color[0], color[1], color[2]}};
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
  std::string texture;
  effect.getTexture("lightTexture", texture, index);
  bindTexture(texture, GL_REPEAT, GL_LINEAR);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_BLEND);
  float size[4] = {};
  effect.getFloat("lightSize", size);
  // The same sprite twice doubles its additive glow.
  for (int i = 0; i < 2; ++i) drawSprite(light.position, size[0], size[0], light.color, 0.0f, 1.0f);
  endSprites();
}
