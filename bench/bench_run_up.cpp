// What splitting the whole built show into N segments costs in run-up: for
// each N, the frames each segment draws before its first frame (the frames
// in which any effect runs), summed as a share of the frames requested; the
// same for effect runs (a run-up frame often runs one effect of several);
// and the largest run-up of one segment, which a farm with a machine per
// segment waits for. Only the plans are made; nothing is drawn.
// With --segments N it lists each of the N segments instead.
//   bench_run_up [SHOW_DIR] [--fps F]... [--segments N]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/offline_show.h"
#include "tools/frame_grid.h"
#include "tools/run_up_plan.h"
#include "tools/show_run_up.h"

namespace {

long effectRuns(const std::vector<PlannedEffect>& effects, long from, long to) {
  long runs = 0;
  for (const PlannedEffect& effect : effects)
    runs += std::max(0L, std::min(to, effect.endFrame) - std::max(from, effect.firstFrame));
  return runs;
}

long runUpEffectRuns(const RunUpPlan& plan, size_t effects) {
  long runs = 0;
  for (long frame = plan.firstFrame; frame < plan.rangeStart; ++frame)
    for (size_t effect = 0; effect < effects; ++effect)
      runs += runUpNeed(plan, effect, frame) != RunUpNeed::None;
  return runs;
}

void reportRate(const OfflineShow& show, double fps) {
  const FrameSpan whole{0, firstGridFrameAt(show.engine.endTime, fps)};
  const std::vector<PlannedEffect> effects = describeEffects(show.effects, fps, whole.count);
  printf("%g frames/s, %ld frames\n", fps, whole.count);
  const long requestedRuns = effectRuns(effects, 0, whole.count);
  printf("  %8s %12s %10s %12s %14s %14s\n", "segments", "run-up sum", "share", "effect runs",
         "longest run-up", "longest total");
  for (const long segments : {2L, 4L, 8L, 16L, 32L}) {
    long sum = 0, longest = 0, longestTotal = 0, runs = 0;
    for (long part = 1; part <= segments; ++part) {
      const FrameSpan span = segmentOf(whole, part, segments);
      const RunUpPlan plan = planRunUp(effects, span.first, span.first + span.count);
      const long drawn = runUpFramesDrawn(plan);
      runs += runUpEffectRuns(plan, effects.size());
      sum += drawn;
      longest = std::max(longest, drawn);
      longestTotal = std::max(longestTotal, drawn + span.count);
    }
    printf("  %8ld %12ld %9.1f%% %11.1f%% %14ld %14ld\n", segments, sum,
           100.0 * double(sum) / double(whole.count), 100.0 * double(runs) / double(requestedRuns),
           longest, longestTotal);
  }
}

void listSegments(const OfflineShow& show, double fps, long segments) {
  const FrameSpan whole{0, firstGridFrameAt(show.engine.endTime, fps)};
  const std::vector<PlannedEffect> effects = describeEffects(show.effects, fps, whole.count);
  printf("%g frames/s, %ld segments\n  %8s %10s %8s %8s\n", fps, segments, "segment", "from s",
         "frames", "run-up");
  for (long part = 1; part <= segments; ++part) {
    const FrameSpan span = segmentOf(whole, part, segments);
    const RunUpPlan plan = planRunUp(effects, span.first, span.first + span.count);
    printf("  %8ld %10.2f %8ld %8ld\n", part, double(span.first) / fps, span.count,
           runUpFramesDrawn(plan));
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string showDir = VELMIRA_DEFAULT_SHOW;
  std::vector<double> rates;
  long segments = 0;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--fps") && i + 1 < argc)
      rates.push_back(atof(argv[++i]));
    else if (!strcmp(argv[i], "--segments") && i + 1 < argc)
      segments = atol(argv[++i]);
    else
      showDir = argv[i];
  }
  if (rates.empty()) rates = {30.0, 60.0};
  std::filesystem::current_path(showDir);
  OfflineShow show;
  std::string error;
  if (!openOfflineShow(show, 64, 36, error) || !loadOfflineShow(show, error)) {
    fprintf(stderr, "bench_run_up: %s\n", error.c_str());
    return 1;
  }
  for (const double fps : rates)
    if (segments > 0)
      listSegments(show, fps, segments);
    else
      reportRate(show, fps);
  return 0;
}
