#include "app/presentation.h"

int largestPowerOfTwo(int size) {
  int value = 1;
  while (value <= size) value *= 2;
  return value / 2;
}

Viewport letterboxViewport(int width, int height, float screenAspect, float pictureAspect) {
  const float bar = (1.0f - screenAspect / pictureAspect) * static_cast<float>(height);
  return {0, static_cast<int>(bar * 0.5f), width, static_cast<int>(static_cast<float>(height) - bar)};
}

void deriveRenderSize(EngineState& engine) {
  engine.screenAspect = float(engine.width) / float(engine.height);
  setPictureAspect(kPictureAspect);
  if (engine.fullscreen) engine.screenAspect = engine.displayAspect;
  setRenderSize(largestPowerOfTwo(engine.width), largestPowerOfTwo(engine.height));
  setOutputSize(engine.width, engine.height);
}
