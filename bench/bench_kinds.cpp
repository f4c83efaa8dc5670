// Each effect kind drawn alone with its definition from the built show, at
// render size 1024x512 on this machine's GL: the median time of one frame
// (the kind's render and a glFinish) over frames spread across the window of
// the kind's first effect on the timeline. Target: 33 ms per kind.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/offline_show.h"
#include "effects/effect_kinds.h"
#include "gfx/frame_target.h"

namespace {

constexpr int kFrames = 24;

double frameMilliseconds(Effect& effect, float time) {
  const auto start = std::chrono::steady_clock::now();
  bindFrameTarget();
  glViewport(0, 0, renderWidth(), renderHeight());
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  effect.render(time, 1.0f / 30.0f);
  glFinish();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double medianFrameMilliseconds(Effect& effect) {
  std::vector<double> times;
  for (int i = 0; i < kFrames; ++i)
    times.push_back(frameMilliseconds(effect, effect.start + effect.length * (i + 0.5f) / kFrames));
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::current_path(argc > 1 ? argv[1] : VELMIRA_DEFAULT_SHOW);
  OfflineShow show;
  std::string error;
  if (!openOfflineShow(show, 1280, 720, error) || !loadOfflineShow(show, error)) {
    fprintf(stderr, "bench_kinds: %s\n", error.c_str());
    return 1;
  }
  std::map<std::string, Effect*> firstOfKind;
  for (const auto& effect : show.effects)
    if (effect->length > 0) firstOfKind.emplace(effect->kind, effect.get());
  printf("%-14s %10s  %s\n", "kind", "median ms", "definition");
  for (std::string_view kind : effectKindNames()) {
    const auto found = firstOfKind.find(std::string(kind));
    if (found == firstOfKind.end()) {
      printf("%-14.*s %10s  (not on the timeline)\n", int(kind.size()), kind.data(), "-");
      continue;
    }
    Effect& effect = *found->second;
    printf("%-14.*s %10.1f  %s\n", int(kind.size()), kind.data(), medianFrameMilliseconds(effect),
           effect.definitionName().c_str());
  }
  return 0;
}
