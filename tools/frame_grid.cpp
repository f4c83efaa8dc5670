#include "tools/frame_grid.h"

#include <cmath>

#include "tools/frame_pattern.h"

namespace {

// The first frame in [0, limit] for which `reached` holds; it is monotone.
template <typename Reached>
long firstFrameWhere(long limit, Reached reached) {
  long low = 0, high = limit;
  while (low < high) {
    const long middle = low + (high - low) / 2;
    if (reached(middle))
      high = middle;
    else
      low = middle + 1;
  }
  return low;
}

}  // namespace

float gridTime(double fps, long frame) { return float(frameTime(0.0, fps, frame)); }

float gridStep(double fps, long frame) {
  return frame > 0 ? gridTime(fps, frame) - gridTime(fps, frame - 1) : 0.0f;
}

long firstGridFrameAt(double time, double fps) {
  if (!(time * fps < double(kMaxRenderFrames))) return -1;
  return firstFrameWhere(kMaxRenderFrames,
                         [&](long frame) { return frameTime(0.0, fps, frame) >= time; });
}

long firstFrameReaching(float start, double fps, long limit) {
  return firstFrameWhere(limit, [&](long frame) { return gridTime(fps, frame) >= start; });
}

long firstFrameReaching(double end, double fps, long limit) {
  return firstFrameWhere(limit, [&](long frame) { return double(gridTime(fps, frame)) >= end; });
}

FrameSpan segmentOf(FrameSpan whole, long index, long parts) {
  const auto boundary = [&](long part) { return whole.first + whole.count * part / parts; };
  return {boundary(index - 1), boundary(index) - boundary(index - 1)};
}
