// The built show, opened once per test process at the tests' small size and
// shared by every show test: a second hidden context opened in the same
// process draws nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/offline_show.h"

inline constexpr int kShowWidth = 160, kShowHeight = 90;

using Pixels = std::vector<uint8_t>;

// Opens and loads the show on first use, from inside the show folder (the
// working directory stays there for the rest of the process).
OfflineShow& builtShow();

// The frame at `time`, RGB rows top row first.
Pixels renderShowFrame(float time, float timeStep);

// The frame at `time` with every effect of `kind` set aside for it.
Pixels renderShowFrameWithout(const std::string& kind, float time, float timeStep);
