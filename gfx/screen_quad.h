// The pieces every compositing effect draws with: the quad that fills the
// viewport, the 2D set-up in which -1..1 fills the viewport, and the
// teardown of the two texture units the mesh and blend programs use.
#pragma once

// The quad over -1..1 with texture coordinates 0..1; flipped swaps the
// vertical texture coordinate, to read a frame-buffer copy upside up.
void drawScreenQuad(bool flipped);

// Identity texture, projection and model-view matrices.
void setup2D();

// Unit 1 texturing off, unit 0 active with no texture bound.
void releaseTextureUnits();
