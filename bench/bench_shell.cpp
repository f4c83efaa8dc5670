// The application shell under a display (run under xvfb-run): the time from
// preparing the setup dialog to its first drawn frame (with the show's
// picture), making the overlay font, and one frame of the comment overlay
// with 20 visible comments (the editor's update and the drawing, finished
// on the GL side).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/comment_editor.h"
#include "app/comment_overlay.h"
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

}  // namespace

BENCHMARK_MAIN();
