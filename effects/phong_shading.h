// The phong shading block of the basic mesh family: the "mesh..." shading
// parameters, the light and the two textures set up for the "phong"
// programs. The three shading buffers are reset to their presets every frame
// before the fetches, so a parameter declared with fewer components keeps the
// presets in the rest.
#pragma once

#include "framework/effect.h"

struct PhongShadingBuffers {
  float specular[4] = {};
  float specularControl[4] = {};
  float bump[4] = {};
};

extern PhongShadingBuffers phongShadingBuffers;

// The per-frame presets of the buffers (the specular-control buffer's last
// two components keep their last fetched values).
void resetPhongShadingBuffers();

// "backColor" as the clear colour (alpha 0), then clears colour and depth.
void clearToBackColor(const Effect& effect);

// Resets the buffers, fetches the block, binds the textures and the phong
// programs with their environment.
void beginPhongShading(const Effect& effect);
// Unit 1 texturing off, unit 0 selected with no texture, programs unbound.
void endPhongShading();
