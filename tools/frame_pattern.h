// Output names of rendered frames. A pattern holds at most one integer
// conversion (%d, %05d, %i and the like; %% is a plain percent sign) that
// receives the frame number. Without one every frame would overwrite the
// same file, so a pattern without a conversion names a single frame only.
#pragma once

#include <string>

// Empty when the pattern may name `frames` frames, else why not.
std::string framePatternProblem(const std::string& pattern, bool singleFrame);

// The pattern with the frame number filled in; the pattern has passed
// framePatternProblem.
std::string frameName(const std::string& pattern, int frame);

// Frame i after `from` at `fps` shows from + i / fps; a render holds at most
// kMaxRenderFrames frames.
inline constexpr long kMaxRenderFrames = 10'000'000;
double frameTime(double from, double fps, long frame);
