// The light block: the lights of an effect ("numLights", "lightPos",
// "lightColor"), the additive passes of the multi-light effects, and the
// light flares drawn at each light ("lightTexture", "lightSize").
#pragma once

#include "framework/effect.h"
#include "gfx/math.h"

struct Light {
  Vec3 position;
  Vec3 color;
};

// Each light is a pass over all the geometry; real shows use two or three.
inline constexpr int kMaxLights = 64;

// "numLights", held to kMaxLights.
int lightCount(const Effect& effect);
// Element `index` of "lightPos" and "lightColor".
Light readLight(const Effect& effect, int index);

// Pass 0 draws without blending; every later pass adds (GL_ONE, GL_ONE).
void beginLightPass(int pass);

// The flare of light `index`: its "lightTexture" entry drawn twice as an
// additive camera-facing sprite of half size "lightSize".
void drawLightFlare(const Effect& effect, int index, const Light& light);
