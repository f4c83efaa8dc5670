// Shadow maps with depth textures and fixed-function depth comparison.
//
// A first pass renders the occluders from a light into the depth buffer and
// copies it into the pool texture "shadowmap<index>" (render height square);
// the light's projection and model-view matrices are saved with it. A second
// pass from the real camera generates projective texture coordinates with
// eye-linear planes and lets the texture unit compare depths. Four lights
// (index 0..3) have their own map.
#pragma once

inline constexpr int kShadowMapCount = 4;

// Call with the light's view set as the current projection and model-view
// matrices; draws that follow land in the shadow map's depth (and in the
// colour buffer, which the caller clears or overdraws later).
void beginShadowPass(int index);
void endShadowPass(int index);

// Call with the viewer's camera model-view current, before any model
// transform: binds "shadowmap<index>" on the active unit and sets identical
// eye-linear texture generation on units lastUnit down to 0; the depth
// comparison is configured on unit 0's texture.
void bindShadowMaps(int index, int lastUnit);
void unbindShadowMaps();

// The light matrices saved by the last first pass of `index` (16 floats,
// column-major).
const float* shadowLightProjection(int index);
const float* shadowLightModelview(int index);
