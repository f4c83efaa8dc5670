// The built show rendered offline at 1280x720 (render size 1024x512) on this
// machine's GL: the time from loading to the first frame (the hidden window
// excluded, the music decoding on its own thread meanwhile), then frames per
// second over a stretch of every section.
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "music/music.h"
#include "app/offline_show.h"
#include "app/show_loading.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::current_path(argc > 1 ? argv[1] : VELMIRA_DEFAULT_SHOW);
  OfflineShow show;
  std::string error;
  if (!openOfflineShow(show, 1280, 720, error)) {
    fprintf(stderr, "bench_show: %s\n", error.c_str());
    return 1;
  }
  std::vector<uint8_t> pixels;
  const auto loadStart = std::chrono::steady_clock::now();
  show.effects = loadShowEffects(show.engine);
  const double effectsMs = secondsSince(loadStart) * 1000.0;
  if (show.engine.musicEnabled) startMusic(MusicOutput::Offline);
  const double musicMs = secondsSince(loadStart) * 1000.0 - effectsMs;
  renderOfflineFrame(show, 0.0f, 0.0f, pixels);
  printf("start-up to first frame: %.1f ms (programs, textures and effects %.1f ms, "
         "music start %.1f ms)\n",
         secondsSince(loadStart) * 1000.0, effectsMs, musicMs);

  constexpr int kFramesPerSection = 30;
  const float sections[] = {8, 24, 40, 70, 90, 116, 130};
  const auto renderStart = std::chrono::steady_clock::now();
  int frames = 0;
  for (float start : sections)
    for (int i = 0; i < kFramesPerSection; ++i, ++frames)
      renderOfflineFrame(show, start + i / 30.0f, 1 / 30.0f, pixels);
  printf("offline rendering at 1280x720: %.1f frames per second (%d frames)\n",
         frames / secondsSince(renderStart), frames);
  return 0;
}
