// A show loaded into a hidden GL context and drawn into an off-screen frame
// target of the output size, frame by frame at times the caller chooses: the
// offline renderer and the linter use it. Drawing is exactly the player's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/engine_state.h"
#include "framework/effect_loader.h"
#include "gfx/frame_target.h"

struct OfflineShow {
  EngineState engine;
  EffectList effects;
  OffscreenFrame frame;
  std::vector<uint8_t> readBack;  // the frame as read, bottom row first
};

// Reads the configuration of the show in the current directory and opens a
// hidden context with a frame target for an output of width x height. False
// with `error` set when no GL context can be had.
bool openOfflineShow(OfflineShow& show, int width, int height, std::string& error);

// Loads the effects and starts the music (silent, following each frame's
// time). Script errors end the process with their message.
bool loadOfflineShow(OfflineShow& show, std::string& error);

// Draws the chosen effects of the frame at `time` without reading anything
// back, and presents it when asked: a run-up frame.
void advanceOfflineFrame(OfflineShow& show, float time, float timeStep,
                         const std::vector<bool>& chosen, bool present);

// Draws and presents the frame at `time` and reads the output back as RGB
// rows, top row first.
void renderOfflineFrame(OfflineShow& show, float time, float timeStep,
                        std::vector<uint8_t>& pixels);
