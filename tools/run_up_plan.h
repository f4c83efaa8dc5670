// Which effects must run in which frames before a frame range, so that the
// range comes out exactly as in the render from the show's start at the same
// frame rate. Effects carry state from frame to frame (particles kept in a
// shared mesh, springs, the accumulation ring, a kind's spectrum history,
// motion's previous frame) and pass pictures on through pool textures; the
// run-up replays only what the range depends on:
//  - an effect that must run brings every earlier frame of the state it
//    carries: its own window (own state), every effect of its kind (state
//    the kind keeps program-wide) and every effect that stirs a mesh it stirs;
//  - an effect whose picture must be right also needs the effects drawn
//    beneath it in that frame, the last writer of each pool texture it reads
//    and, for the ring kinds, the last ring passes before it;
//  - a value that effects leave behind for the next one (the camera, the
//    phong controls an effect does not set) comes from the last effect that
//    may have set it, back to one that surely did;
//  - the frame just before the range runs whole, so the range begins from
//    the same "screen" texture.
// Everything here is plain data: the renderer turns loaded effects into
// PlannedEffect and runs the plan.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PlannedEffect {
  // Grid frames [firstFrame, endFrame) lie in its window; empty when equal.
  long firstFrame = 0;
  long endFrame = 0;
  std::string kind;
  bool keepsOwnState = false;              // state in the instance, from its window start
  bool keepsKindState = false;             // state shared by every effect of the kind
  bool usesRing = false;                   // copies its passes into the accumulation ring
  int ringSize = 0;                        // textures of the ring it averages
  std::vector<const void*> stirredMeshes;  // meshes it moves in place
  std::vector<std::string> readsTextures;  // pool texture names it may read
  std::string writesTexture;               // its textureOut ("" for none)
  // Values left behind by one effect for the next: those it may set, and
  // those it uses without surely setting them.
  std::vector<std::string> setsValues;
  std::vector<std::string> readsValues;
};

enum class RunUpNeed : uint8_t {
  None,
  State,    // runs so that its state advances; its picture does not matter
  Picture,  // runs with everything beneath it, its picture is used later
};

struct RunUpPlan {
  long firstFrame = 0;  // the first frame that runs, == the range start when none
  long rangeStart = 0;
  // need[effect][frame - firstFrame] for the frames [firstFrame, rangeStart).
  std::vector<std::vector<RunUpNeed>> need;
};

// The plan for the grid frames [rangeStart, rangeEnd); the effects are in
// timeline order.
RunUpPlan planRunUp(const std::vector<PlannedEffect>& effects, long rangeStart, long rangeEnd);

// What effect `effect` needs in frame `frame` (an absolute frame); None
// outside the run-up.
RunUpNeed runUpNeed(const RunUpPlan& plan, size_t effect, long frame);

// Frames of the run-up that draw anything.
long runUpFramesDrawn(const RunUpPlan& plan);
