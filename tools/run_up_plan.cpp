#include "tools/run_up_plan.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

// One frame of one effect, ordered as the straight render runs them.
using Run = std::pair<long, size_t>;  // frame, effect

struct Planner {
  const std::vector<PlannedEffect>& effects;
  long rangeStart = 0;
  std::vector<std::vector<RunUpNeed>> need;  // over frames [0, rangeStart)
  // Every frame of the effect below this one already runs at least for state.
  std::vector<long> stateCoveredUpTo;
  std::vector<Run> work;
  std::vector<Run> ringWrites;                            // sorted
  std::map<std::string, std::vector<Run>> textureWrites;  // sorted, "screen" aside
  std::map<std::string, std::vector<Run>> valueWrites;    // sorted

  bool alive(size_t effect, long frame) const {
    return frame >= effects[effect].firstFrame && frame < effects[effect].endFrame;
  }

  void raise(size_t effect, long frame, RunUpNeed level) {
    if (frame < 0 || frame >= rangeStart || !alive(effect, frame)) return;
    RunUpNeed& held = need[effect][size_t(frame)];
    if (held >= level) return;
    held = level;
    work.push_back({frame, effect});
  }

  // Every frame of `effect` before `frame` runs, at least for its state.
  void coverStateBefore(size_t effect, long frame) {
    const long to = std::min({frame, effects[effect].endFrame, rangeStart});
    for (long at = std::max(stateCoveredUpTo[effect], effects[effect].firstFrame); at < to; ++at)
      raise(effect, at, RunUpNeed::State);
    stateCoveredUpTo[effect] = std::max(stateCoveredUpTo[effect], to);
  }

  bool sharesStirredMesh(const PlannedEffect& a, const PlannedEffect& b) const {
    for (const void* mesh : a.stirredMeshes)
      if (std::find(b.stirredMeshes.begin(), b.stirredMeshes.end(), mesh) != b.stirredMeshes.end())
        return true;
    return false;
  }

  void addStateNeeds(size_t effect, long frame) {
    const PlannedEffect& planned = effects[effect];
    for (const std::string& value : planned.readsValues) {
      const auto writes = valueWrites.find(value);
      if (writes != valueWrites.end())
        needLastWrites(writes->second, {frame, effect}, 1, RunUpNeed::State);
    }
    if (planned.keepsOwnState) coverStateBefore(effect, frame);
    for (size_t other = 0; other < effects.size(); ++other) {
      const bool sameKindState = planned.keepsKindState && effects[other].keepsKindState &&
                                 effects[other].kind == planned.kind;
      if (sameKindState || sharesStirredMesh(planned, effects[other]))
        coverStateBefore(other, frame);
    }
  }

  // The whole frame runs (and, as every run-up frame, is presented into
  // "screen").
  void needWholeFrame(long frame) {
    for (size_t effect = 0; effect < effects.size(); ++effect)
      raise(effect, frame, RunUpNeed::Picture);
  }

  void needLastWrites(const std::vector<Run>& writes, Run before, size_t count,
                      RunUpNeed level = RunUpNeed::Picture) {
    auto end = std::lower_bound(writes.begin(), writes.end(), before);
    for (size_t taken = 0; taken < count && end != writes.begin(); ++taken) {
      --end;
      raise(end->second, end->first, level);
    }
  }

  void needScreenBefore(size_t effect, long frame) {
    for (size_t below = 0; below < effect; ++below)
      if (alive(below, frame) && effects[below].writesTexture == "screen") return;
    needWholeFrame(frame - 1);
  }

  void addPictureNeeds(size_t effect, long frame) {
    const PlannedEffect& planned = effects[effect];
    if (frame < rangeStart)
      for (size_t below = 0; below < effect; ++below) raise(below, frame, RunUpNeed::Picture);
    for (const std::string& texture : planned.readsTextures) {
      if (texture == "screen") {
        if (frame < rangeStart) needScreenBefore(effect, frame);
        continue;
      }
      const auto writes = textureWrites.find(texture);
      if (writes != textureWrites.end()) needLastWrites(writes->second, {frame, effect}, 1);
    }
    if (planned.usesRing) needLastWrites(ringWrites, {frame, effect}, size_t(planned.ringSize));
  }

  // Writes in the range count too: a write there hides the ones before it.
  void indexWrites(long rangeEnd) {
    for (size_t effect = 0; effect < effects.size(); ++effect) {
      const PlannedEffect& planned = effects[effect];
      const long end = std::min(planned.endFrame, rangeEnd);
      for (long frame = std::max(0L, planned.firstFrame); frame < end; ++frame) {
        if (planned.usesRing) ringWrites.push_back({frame, effect});
        if (!planned.writesTexture.empty() && planned.writesTexture != "screen")
          textureWrites[planned.writesTexture].push_back({frame, effect});
        for (const std::string& value : planned.setsValues)
          valueWrites[value].push_back({frame, effect});
      }
    }
    std::sort(ringWrites.begin(), ringWrites.end());
    for (auto& [name, writes] : textureWrites) std::sort(writes.begin(), writes.end());
    for (auto& [name, writes] : valueWrites) std::sort(writes.begin(), writes.end());
  }

  void seed(long rangeEnd) {
    needWholeFrame(rangeStart - 1);
    for (size_t effect = 0; effect < effects.size(); ++effect) {
      const long first = std::max(effects[effect].firstFrame, rangeStart);
      if (first >= std::min(effects[effect].endFrame, rangeEnd)) continue;
      addStateNeeds(effect, first);
      addPictureNeeds(effect, first);
    }
  }

  void drain() {
    while (!work.empty()) {
      const auto [frame, effect] = work.back();
      work.pop_back();
      addStateNeeds(effect, frame);
      if (need[effect][size_t(frame)] == RunUpNeed::Picture) addPictureNeeds(effect, frame);
    }
  }
};

long firstFrameUsed(const Planner& planner) {
  long first = planner.rangeStart;
  for (const auto& frames : planner.need)
    for (long frame = 0; frame < first; ++frame)
      if (frames[size_t(frame)] != RunUpNeed::None) first = frame;
  return first;
}

}  // namespace

RunUpPlan planRunUp(const std::vector<PlannedEffect>& effects, long rangeStart, long rangeEnd) {
  Planner planner{effects, std::max(0L, rangeStart), {}, {}, {}, {}, {}, {}};
  planner.need.assign(effects.size(),
                      std::vector<RunUpNeed>(size_t(planner.rangeStart), RunUpNeed::None));
  planner.stateCoveredUpTo.assign(effects.size(), 0);
  planner.indexWrites(rangeEnd);
  planner.seed(rangeEnd);
  planner.drain();

  RunUpPlan plan;
  plan.rangeStart = planner.rangeStart;
  plan.firstFrame = firstFrameUsed(planner);
  const auto from = size_t(plan.firstFrame);
  for (auto& frames : planner.need)
    plan.need.emplace_back(frames.begin() + long(from), frames.end());
  return plan;
}

RunUpNeed runUpNeed(const RunUpPlan& plan, size_t effect, long frame) {
  if (frame < plan.firstFrame || frame >= plan.rangeStart) return RunUpNeed::None;
  return plan.need[effect][size_t(frame - plan.firstFrame)];
}

long runUpFramesDrawn(const RunUpPlan& plan) {
  long drawn = 0;
  for (long frame = plan.firstFrame; frame < plan.rangeStart; ++frame)
    for (size_t effect = 0; effect < plan.need.size(); ++effect)
      if (runUpNeed(plan, effect, frame) != RunUpNeed::None) {
        ++drawn;
        break;
      }
  return drawn;
}
