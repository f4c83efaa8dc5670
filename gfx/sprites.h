// The camera-facing sprite batch: textured quads that always face the
// viewer, placed by the rotation part of the model-view matrix that was
// current when the batch began.
//
// beginSprites pushes the model-view matrix and replaces its upper 3x4 part
// (rotation, scale and translation) by the identity; each sprite is then
// moved by the saved rotation applied to its position (the saved
// translation is not added). endSprites pops the matrix.
#pragma once

#include "gfx/math.h"

void beginSprites();
// One quad of half size (halfWidth, halfHeight), rotated by angleDegrees in
// the view plane, tinted with (color, alpha). Texture coordinate (0, 1) is
// at the lower left corner, (0, 0) at the upper left.
void drawSprite(const Vec3& position, float halfWidth, float halfHeight, const Vec3& color,
                float angleDegrees, float alpha);
void endSprites();
