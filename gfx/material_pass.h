// Applying a material for one light pass of the "phong with specular map"
// programs: its four textures on units 3 to 0 and the program environment.
// The caller binds the programs and chooses the blending (the first light
// opaque, every further light added with GL_ONE, GL_ONE).
#pragma once

#include <array>

#include "gfx/material.h"
#include "gfx/math.h"

// Unit 3 the environment texture, 2 the specular map, 1 the colour texture,
// 0 the bump map, each with its repeat mode and GL_LINEAR and with 2D
// texturing enabled; unit 0 is left active. Vertex program environment 0 is
// the light's eye-space position (w = 0); fragment program environment 0 to 9
// carry the material scaled by the light colour.
void applyMaterialPass(const Material& material, const Vec3& lightColor,
                       const Vec3& lightEyePosition);

// The two halves of applyMaterialPass, for passes that set the program
// environment without binding the material's textures.
void bindMaterialTextures(const Material& material);
void setMaterialEnvironment(const Material& material, const Vec3& lightColor,
                            const Vec3& lightEyePosition);

// The close of the material passes: 2D texturing off on units 3, 2, 1 and 0,
// unit 0 active with texture 0 bound, programs off.
void endMaterialPasses();

// The ten fragment program environment values of one pass, in order.
std::array<Vec4, 10> materialFragmentEnvironment(const Material& material, const Vec3& lightColor);
