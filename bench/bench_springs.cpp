// The spring tube simulation: one 0.01 sub-step of the 1040-vertex spindle,
// gliding (anchor springs only) and tumbling (also the 5760 edge springs).
// Items are sub-steps, so items per second / 1000 is steps per millisecond.
#include <benchmark/benchmark.h>

#include "effects/spring_tube.h"

namespace {

void runSubSteps(benchmark::State& state, SwimPath path) {
  SpringTube tube = buildSpringTube();
  SwimState swim;
  float time = 20.0f;
  for (auto _ : state) {
    simulateSpringTube(tube, swim, path, time, 10.0f, 0.0f);
    time += kSpringSubStep;
    benchmark::DoNotOptimize(tube.body.vertices.data());
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_SpringSubStepGlide(benchmark::State& state) { runSubSteps(state, SwimPath::Glide); }
void BM_SpringSubStepTumble(benchmark::State& state) { runSubSteps(state, SwimPath::Tumble); }
BENCHMARK(BM_SpringSubStepGlide)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpringSubStepTumble)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
