// The geometry of presenting a frame: the power-of-two render size and the
// letterbox viewport that shows the 16:9 picture on any screen shape.
#pragma once

#include "app/engine_state.h"
#include "gfx/frame_target.h"

// The largest power of two not above `size` (0 for 0).
int largestPowerOfTwo(int size);

struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
};

// The viewport that letterboxes a picture of `pictureAspect` on an output of
// width x height whose shape is `screenAspect`. A screen wider than the
// picture gets a negative bar: the picture's top and bottom are cut.
Viewport letterboxViewport(int width, int height, float screenAspect, float pictureAspect);

// Sets the aspects and the render size from the output size: the largest
// powers of two not above width and height.
void deriveRenderSize(EngineState& engine);
