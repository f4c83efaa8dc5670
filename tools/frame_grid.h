// The frames of a render at a given rate: frame k of the show shows the time
// k / fps, exactly as the render from the show's start computes it, and is
// drawn with the time step from frame k - 1 (none for frame 0). A range or a
// single time picks frames of this grid, so every render of a frame at that
// rate draws it with the same time and step.
#pragma once

float gridTime(double fps, long frame);
float gridStep(double fps, long frame);

// The first grid frame at or after `time` (0 for a time at or before 0);
// -1 past the frame limit of a render.
long firstGridFrameAt(double time, double fps);

// The first grid frame whose float time is at or after `time`, as the
// timeline compares a frame's time with an effect's start (float) or end
// (double); `limit` when none below it is.
long firstFrameReaching(float start, double fps, long limit);
long firstFrameReaching(double end, double fps, long limit);

// Consecutive grid frames [first, first + count).
struct FrameSpan {
  long first = 0;
  long count = 0;
};

// Part `index` (1-based) of `parts` nearly equal consecutive parts of `whole`;
// the parts cover it in order, their sizes differ by one frame at most.
FrameSpan segmentOf(FrameSpan whole, long index, long parts);
