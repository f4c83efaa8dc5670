#include "app/offline_show.h"

#include "app/configuration.h"
#include "app/frame.h"
#include "music/music.h"
#include "app/presentation.h"
#include "app/show_loading.h"
#include "gfx/gl_entry_points.h"
#include "platform/window.h"

bool openOfflineShow(OfflineShow& show, int width, int height, std::string& error) {
  EngineState& engine = show.engine;
  readConfiguration(engine);
  engine.fullscreen = false;
  engine.width = width;
  engine.height = height;
  deriveRenderSize(engine);
  WindowRequest request;
  request.width = width;
  request.height = height;
  request.hidden = true;
  if (!openWindow(request, error)) return false;
  loadGlEntryPoints();
  show.frame = createOffscreenFrame(width, height);
  setFrameFramebuffer(show.frame.framebuffer);
  return true;
}

bool loadOfflineShow(OfflineShow& show, std::string& error) {
  EngineState& engine = show.engine;
  show.effects = loadShowEffects(engine);
  // Offline the music makes no sound; it stands at each frame's time so the
  // effects read the spectrum of the samples there.
  if (engine.musicEnabled && !startMusic(MusicOutput::Offline)) {
    error = "the music file holds no playable MP3 stream";
    return false;
  }
  return true;
}

void advanceOfflineFrame(OfflineShow& show, float time, float timeStep,
                         const std::vector<bool>& chosen, bool present) {
  EngineState& engine = show.engine;
  engine.currentTime = time;
  engine.frameTimeStep = timeStep;
  if (engine.musicEnabled) repositionMusic(time);
  bindFrameTarget();
  drawShowPicture(engine, show.effects, chosen);
  if (present) presentShowPicture(engine);
}

void renderOfflineFrame(OfflineShow& show, float time, float timeStep,
                        std::vector<uint8_t>& pixels) {
  advanceOfflineFrame(show, time, timeStep, std::vector<bool>(show.effects.size(), true), true);
  const EngineState& engine = show.engine;
  glFinish();
  const size_t rowBytes = size_t(engine.width) * 3;
  std::vector<uint8_t>& bottomUp = show.readBack;
  bottomUp.resize(rowBytes * engine.height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, engine.width, engine.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  pixels.resize(bottomUp.size());
  for (int row = 0; row < engine.height; ++row)
    std::copy_n(bottomUp.data() + rowBytes * (engine.height - 1 - row), rowBytes,
                pixels.data() + rowBytes * row);
}
