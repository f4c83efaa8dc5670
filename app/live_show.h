// Live reload while a show is being authored (rewind mode): about once a
// second the files the show read are looked at, and what changed is loaded
// again without restarting or losing the show time. A changed definition is
// recompiled into the effects that use it; a changed timeline, material,
// curve or mesh rebuilds the effects; a changed picture is read into its
// textures again. A compile error or a missing variable does not end the
// process: the last good effects keep running and the error's text is kept
// for the overlay (and printed on stderr) until a reload succeeds.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/show_watch.h"
#include "framework/effect_loader.h"

// How the effects looked before the last reload, to go back to when the new
// ones fail while drawing.
struct LiveUndo {
  bool wholeTimeline = false;
  std::vector<TimelineEntry> entries;
  EffectList effects;
  std::vector<size_t> entryOfEffect;
  std::vector<std::pair<size_t, std::unique_ptr<Effect>>> replaced;  // (entry, effect)
};

struct LiveShow {
  std::string timelineFileName;
  std::vector<TimelineEntry> entries;
  EffectList effects;
  std::vector<size_t> entryOfEffect;  // the timeline entry of each effect
  LiveUndo undo;
  ShowWatch watch;
  uint32_t lastCheckMs = 0;
  std::string error;  // caption and text of the error shown; empty when none
};

inline constexpr uint32_t kLiveCheckIntervalMs = 1000;

// Takes over the effects loaded at start-up and watches every file read so far.
void startLiveShow(LiveShow& show, EffectList effects, const std::string& timelineFileName);

// Looks for changed files once kLiveCheckIntervalMs have passed since the
// last look; true when effects or textures were reloaded.
bool refreshLiveShow(LiveShow& show, uint32_t nowMs);
// Reloads as if `paths` had changed (also used by the periodic look).
bool reloadChangedFiles(LiveShow& show, const std::vector<std::string>& paths);

// A data error while drawing (a missing variable, a runaway loop): the
// effects of the last reload give way to the ones before, and the error is
// kept for the overlay.
void recoverFromDrawingError(LiveShow& show, const std::string& caption, const std::string& text);
