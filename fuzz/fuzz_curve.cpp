// Reads arbitrary bytes as a curve file and samples the curve by parameter
// and by time, across and beyond its range.
#include <cstdint>
#include <cstring>

#include "gfx/curve_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Curve curve = parseCurve({data, size});
  if (curve.points.size() != curve.keys.size()) __builtin_trap();
  float probe = 0.37f;
  if (size >= sizeof probe) memcpy(&probe, data, sizeof probe);
  const float parameters[] = {0, 0.5f, 1, -0.25f, 1.75f, probe, -probe, probe * 1e6f};
  Vec3 out;
  for (const float t : parameters) {
    curvePoint(curve, t, out);
    curvePosition(curve, t, out);
    curveTangent(curve, t, out);
  }
  return 0;
}
