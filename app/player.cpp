#include "app/player.h"

#include <cstdio>

#include "app/comment_editor.h"
#include "app/comment_file.h"
#include "app/comment_overlay.h"
#include "app/configuration.h"
#include "app/error_overlay.h"
#include "app/file_list.h"
#include "app/frame.h"
#include "app/live_show.h"
#include "app/overlay_font.h"
#include "app/presentation.h"
#include "app/setup_dialog.h"
#include "app/show_clock.h"
#include "app/show_loading.h"
#include "app/window_setup.h"
#include "gfx/drawing_state.h"
#include "gfx/texture_pool.h"
#include "music/music.h"
#include "pack/pack.h"
#include "platform/clock.h"
#include "platform/keys.h"
#include "platform/message.h"
#include "platform/stop_signals.h"
#include "platform/window.h"

namespace {

EngineState engine;
LiveShow show;  // the effects; watched and reloaded only in rewind mode
OverlayFont overlayFont;
CommentFile commentFile;  // as read at start-up
std::vector<Comment> comments;
std::vector<Comment> lastWordsComments;  // the comments the stop signals would write
CommentEditor commentEditor;

struct FrameCounter {
  uint32_t windowStart = 0;
  int frames = 0;
  int measuredRate = 0;
};

void queryDisplay() {
  DisplaySize desktop;
  std::string error;
  if (!queryDesktop(desktop, error)) return;
  engine.desktopWidth = desktop.width;
  engine.desktopHeight = desktop.height;
  if (desktop.height > 0) engine.displayAspect = float(desktop.width) / float(desktop.height);
}

// A full-screen size the display cannot take: Yes plays in a window, No ends.
bool settleFullscreen() {
  if (!engine.fullscreen) return true;
  const DisplaySize desktop{engine.desktopWidth, engine.desktopHeight};
  if (displayTakesFullscreen(engine.width, engine.height, desktop, displayModes())) return true;
  if (!askYesNo(kFullscreenQuestionCaption, kFullscreenQuestion)) return false;
  engine.fullscreen = false;
  return true;
}

bool openShowWindow() {
  if (!settleFullscreen()) return false;
  WindowRequest request;
  request.width = engine.width;
  request.height = engine.height;
  request.fullscreen = engine.fullscreen;
  request.title = engine.fullscreen ? "Ormek   Velmira 2008" : "Ormek  Velmira 2008";
  std::string error;
  if (!openWindow(request, error)) {
    // The box keeps its fixed text; the cause goes to stderr.
    fprintf(stderr, "velmira: the show window did not open: %s\n", error.c_str());
    const WindowFailureMessage message = windowFailureMessage(lastWindowFailure());
    showMessage(message.caption, message.text, message.icon);
    return false;
  }
  if (engine.fullscreen) {
    const DisplaySize screen = windowSize();
    engine.width = screen.width;
    engine.height = screen.height;
    setOutputSize(engine.width, engine.height);
    showCursor(false);
  }
  return true;
}

void readComments() {
  commentFile = loadComments();
  comments = lastWordsComments = commentFile.comments;
  if (!commentFile.unreadable.empty())
    fprintf(stderr, "velmira: %s; comments made now will not be saved to it\n",
            commentFile.unreadable.c_str());
}

// What a second stop signal writes: the session's comments, beside the file
// (never over it, as the rules for replacing it cannot run in a handler).
void updateLastWords() {
  if (!engine.commentsEnabled || comments == lastWordsComments) return;
  lastWordsComments = comments;
  if (comments == commentFile.comments)
    setLastWords("", "");
  else
    setLastWords(commentFile.path + ".unsaved", formatComments(comments, engine.buildRevision));
}

enum class StartUp { Ready, EndedByViewer, Failed };

StartUp startUp(const std::string& switches, bool skipDialog) {
  readConfiguration(engine);
  applyCommandLine(engine, switches);
  queryDisplay();
  if (engine.showDialog && !skipDialog && !runSetupDialog(engine)) return StartUp::EndedByViewer;
  deriveRenderSize(engine);
  if (!openShowWindow()) return StartUp::Failed;
  if (engine.rewindEnabled)
    startLiveShow(show, loadShowEffects(engine), engine.timelineFileName);
  else
    show.effects = loadShowEffects(engine);
  overlayFont = createOverlayFont();
  if (engine.commentsEnabled) readComments();
  if (engine.musicEnabled && !startMusic()) return StartUp::Failed;
  engine.endTime = kShowLength;
  return StartUp::Ready;
}

ClockKeys readClockKeys() {
  ClockKeys keys;
  keys.hasFocus = engine.hasFocus;
  keys.add = isKeyDown(VK_ADD);
  keys.subtract = isKeyDown(VK_SUBTRACT);
  keys.space = isKeyDown(VK_SPACE);
  keys.left = isKeyDown(VK_LEFT);
  keys.right = isKeyDown(VK_RIGHT);
  keys.leftShift = isKeyDown(VK_LSHIFT);
  keys.editingComment = commentEditor.editing;
  return keys;
}

// The music follows pauses and every jump of the show clock.
void followClock(ShowClock& clock, MusicAction action) {
  if (!engine.musicEnabled) return;
  if (action != MusicAction::None) pauseMusic(action == MusicAction::Pause);
  if (clock.resync) {
    repositionMusic(clock.currentTime);
    clock.resync = false;
  }
}

void updateTitle(FrameCounter& counter, uint32_t now) {
  if (!engine.showFps) return;
  char title[128];
  snprintf(title, sizeof title, "BUILD-REV: %d   FPS: %d   TIME: %4.3f", engine.buildRevision,
           counter.measuredRate, engine.currentTime);
  setWindowTitle(title);
  if (now - counter.windowStart >= 1000) {
    counter.measuredRate = counter.frames;
    counter.frames = 0;
    counter.windowStart = now;
  } else {
    ++counter.frames;
  }
}

KeyboardState readKeyboard() {
  KeyboardState keys;
  for (int key = 0; key < 255; ++key) keys[size_t(key)] = isKeyDown(key);
  return keys;
}

void drawCommentOverlay(const ShowClock& clock) {
  CommentFrame frame;
  frame.currentTime = engine.currentTime;
  frame.paused = clock.paused;
  frame.elapsedMs = uint32_t(clock.previousElapsed);
  frame.keys = readKeyboard();
  drawCommentLines(overlayFont, updateCommentOverlay(commentEditor, comments, frame));
}

[[noreturn]] void throwDataError(std::string_view caption, std::string_view text) {
  throw ScriptError(std::string(caption), std::string(text));
}

// While authoring, changed files are reloaded first and a data error leaves
// the last good effects running with the error's text over the picture.
void drawPicture(uint32_t now) {
  if (!engine.rewindEnabled) {
    drawShowPicture(engine, show.effects);
    return;
  }
  if (refreshLiveShow(show, now)) engine.seekMarks = effectStartTimes(show.effects);
  try {
    drawShowPicture(engine, show.effects);
  } catch (const ScriptError& error) {
    resetDrawingState();
    recoverFromDrawingError(show, error.caption, error.text);
    engine.seekMarks = effectStartTimes(show.effects);
  }
}

// False when comments were made and could not be saved (it has said so).
bool saveCommentsIfEnabled() {
  if (!engine.commentsEnabled) return true;
  const CommentSave save = saveComments(commentFile, comments, engine.buildRevision);
  fputs(save.message.c_str(), stderr);
  return save.ok;
}

// A data error that ends the show still keeps the comments; the message and
// the ending follow.
void saveCommentsBeforeEnding(std::string_view, std::string_view) { saveCommentsIfEnabled(); }

// Closing the window ends the process at once, keeping the comments.
[[noreturn]] void closeNow() {
  const bool saved = saveCommentsIfEnabled();
  deleteAllTextures();
  closeWindow();
  exit(saved ? 0 : 1);
}

void runFrameLoop() {
  ShowClock clock;
  FrameCounter counter;
  counter.windowStart = clockMilliseconds();
  startShowClock(clock, engine.demoStartTime, clockMilliseconds());
  uint32_t lastFrameTick = 0;
  watchStopSignals(true);
  divertFatalMessages(engine.rewindEnabled ? throwDataError : saveCommentsBeforeEnding);
  for (;;) {
    pumpWindowEvents();
    engine.hasFocus = windowHasFocus();
    const uint32_t now = clockMilliseconds();
    const MusicAction music =
        advanceShowClock(clock, now, readClockKeys(), engine.rewindEnabled, engine.seekMarks);
    engine.currentTime = clock.currentTime;
    engine.frameTimeStep = clock.frameTimeStep;
    followClock(clock, music);
    updateTitle(counter, now);

    WindowMessage message = WindowMessage::None;
    if (!engine.fullscreen) message = takeWindowMessage();
    if (message == WindowMessage::Close) closeNow();

    const int64_t sleepMs = std::max<int64_t>(int64_t(lastFrameTick) + 5 - now, 0);
    lastFrameTick = now;
    drawPicture(now);
    presentShowPicture(engine);
    if (sleepMs >= 1) sleepMilliseconds(uint32_t(sleepMs));
    if (engine.commentsEnabled) drawCommentOverlay(clock);
    if (!show.error.empty()) drawErrorOverlay(overlayFont, show.error);
    swapWindow();
    updateLastWords();

    if (message == WindowMessage::Quit || isKeyDown(VK_ESCAPE) || stopRequested() ||
        engine.currentTime >= engine.endTime + 1.0f)
      break;
  }
}

// False when the comments could not be saved.
bool shutDown() {
  watchStopSignals(false);
  divertFatalMessages(nullptr);
  const bool saved = saveCommentsIfEnabled();
  deleteOverlayFont(overlayFont);
  if (engine.musicEnabled) stopMusic();
  if (engine.makeFileList) writeFileList();
  deleteAllTextures();
  closeWindow();
  return saved;
}

}  // namespace

int playShow(const std::string& switches, bool skipDialog) {
  installStopSignals();
  if (!fileIsAvailable("demo.adt")) {
    fprintf(stderr, "velmira: no show here: demo.adt is neither on the disk nor in %s\n",
            kPackFileName);
    return 1;
  }
  switch (startUp(switches, skipDialog)) {
    case StartUp::Ready: break;
    case StartUp::EndedByViewer: return 0;
    case StartUp::Failed: return 1;
  }
  runFrameLoop();
  return shutDown() ? 0 : 1;
}
