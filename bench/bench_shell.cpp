// The application shell under a display (run under xvfb-run): the time from
// preparing the setup dialog to its first drawn frame (with the show's
// picture), making the overlay font, one frame of the comment overlay with
// 20 visible comments (the editor's update and the drawing, finished on the
// GL side), and live reloads of the built show: one definition, and the
// whole timeline, with the resident memory after the reloads.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/comment_editor.h"
#include "app/comment_overlay.h"
#include "app/live_show.h"
#include "app/offline_show.h"
#include "app/show_loading.h"
#include "app/overlay_font.h"
#include "app/setup_dialog.h"
#include "gfx/gl.h"
#include "platform/window.h"

namespace {

void BM_SetupDialogFirstFrame(benchmark::State& state) {
  std::filesystem::current_path(VELMIRA_SHOW_DIR);
  EngineState engine;
  for (auto _ : state) {
    SetupDialogView view = prepareSetupDialog(engine, displayModes());
    view.picture = loadSetupPicture();
    if (!openSetupDialogWindow(view)) {
      state.SkipWithError("no display for the dialog (run under xvfb-run)");
      return;
    }
    drawSetupDialogFrame(view, [](DialogControl) {});
    glFinish();
    state.PauseTiming();
    closeSetupDialogWindow();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SetupDialogFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

bool openHiddenWindow() {
  if (windowIsOpen()) return true;
  WindowRequest request;
  request.hidden = true;
  request.width = 1280;
  request.height = 720;
  std::string error;
  return openWindow(request, error);
}

void BM_CreateOverlayFont(benchmark::State& state) {
  if (!openHiddenWindow()) return state.SkipWithError("no GL context (run under xvfb-run)");
  for (auto _ : state) {
    OverlayFont font = createOverlayFont();
    glFinish();
    state.PauseTiming();
    deleteOverlayFont(font);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CreateOverlayFont)->Unit(benchmark::kMillisecond);

void BM_CommentOverlay20(benchmark::State& state) {
  if (!openHiddenWindow()) return state.SkipWithError("no GL context (run under xvfb-run)");
  OverlayFont font = createOverlayFont();
  std::vector<Comment> comments;
  for (int i = 0; i < 20; ++i)
    comments.push_back({"comment number " + std::to_string(i) + ": the glow comes in too early", 10.0f});
  CommentEditor editor;
  CommentFrame frame;
  frame.currentTime = 10.5f;
  glViewport(0, 0, 1280, 720);
  for (auto _ : state) {
    drawCommentLines(font, updateCommentOverlay(editor, comments, frame));
    glFinish();
    frame.elapsedMs += 5;
  }
  deleteOverlayFont(font);
}
BENCHMARK(BM_CommentOverlay20)->Unit(benchmark::kMicrosecond);

long residentKilobytes() {
  long pages = 0, resident = 0;
  if (FILE* statm = fopen("/proc/self/statm", "r")) {
    if (fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    fclose(statm);
  }
  return resident * 4;
}

LiveShow& builtShow() {
  static LiveShow live;
  static bool loaded = false;
  if (!loaded) {
    static OfflineShow offline;
    std::string error;
    std::filesystem::current_path(VELMIRA_SHOW_DIR);
    closeWindow();  // the offline show opens its own context
    if (!openOfflineShow(offline, 1280, 720, error)) return live;
    startLiveShow(live, loadShowEffects(offline.engine), offline.engine.timelineFileName);
    loaded = true;
  }
  return live;
}

void reloadBenchmark(benchmark::State& state, bool wholeTimeline) {
  LiveShow& show = builtShow();
  if (show.effects.empty()) return state.SkipWithError("the built show did not load");
  // The definition the most effects use: the costliest single change.
  std::map<std::string, int> uses;
  for (const TimelineEntry& entry : show.entries) ++uses[entry.definitionName];
  const auto mostUsed = std::max_element(uses.begin(), uses.end(),
                                         [](const auto& a, const auto& b) { return a.second < b.second; });
  const std::string changed = wholeTimeline ? show.timelineFileName : mostUsed->first;
  for (auto _ : state) {
    reloadChangedFiles(show, {changed});
    glFinish();
  }
  state.counters["effects"] = double(show.effects.size());
  state.counters["residentKiB"] = double(residentKilobytes());
  if (!show.error.empty()) state.SkipWithError(show.error.c_str());
}

// The once-a-second look at every file the show read, when nothing changed.
void BM_LookForChangedFiles(benchmark::State& state) {
  LiveShow& show = builtShow();
  for (auto _ : state) benchmark::DoNotOptimize(changedShowFiles(show.watch));
  state.counters["files"] = double(show.watch.files.size());
}
BENCHMARK(BM_LookForChangedFiles)->Unit(benchmark::kMicrosecond);

void BM_ReloadOneDefinition(benchmark::State& state) { reloadBenchmark(state, false); }
BENCHMARK(BM_ReloadOneDefinition)->Unit(benchmark::kMillisecond)->Iterations(40);

void BM_ReloadWholeTimeline(benchmark::State& state) { reloadBenchmark(state, true); }
BENCHMARK(BM_ReloadWholeTimeline)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_ReloadWholeTimeline)->Unit(benchmark::kMillisecond)->Iterations(60);

}  // namespace

BENCHMARK_MAIN();
