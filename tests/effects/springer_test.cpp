// The springer kind: its frame prologue runs twice a frame, its flared back
// tube copies are drawn only when asked for, and the first parameter.
#include <gtest/gtest.h>

#include "script/error.h"
#include "tests/effects/swimming_tube_support.h"

namespace {
class Springer : public EffectTest {};
}  // namespace

TEST_F(Springer, CountsTwoFramesPerFrame) {
  TempDir dir;
  writeSwimmingTubeFiles();
  auto springer = loadTestEffect(swimmingTubeDefinition("springer", 0, "vec3(0, 0, 0)"));
  auto springy = loadTestEffect(swimmingTubeDefinition("springy", 0, "vec3(0, 0, 0)"));
  int before = 0, after = 0, springyBefore = 0, springyAfter = 0;
  springer->getInt("frame", before);
  springy->getInt("frame", springyBefore);
  renderFrame(*springer, 2.0f);
  renderFrame(*springy, 2.0f);
  springer->getInt("frame", after);
  springy->getInt("frame", springyAfter);
  EXPECT_EQ(after - before, 2);
  EXPECT_EQ(springyAfter - springyBefore, 1);
}

TEST_F(Springer, FlaredBackTubeIsDrawnOnlyWithCopies) {
  TempDir dir;
  writeSwimmingTubeFiles();
  auto none = loadTestEffect(swimmingTubeDefinition("springer", 0, "vec3(0, 65, 0)", "vec3(0, 0, 0)"));
  renderFrame(*none, 2.0f, 0.0f);
  EXPECT_EQ(litPixels(readFrame()), 0);
  auto four = loadTestEffect(swimmingTubeDefinition("springer", 4, "vec3(0, 65, 0)", "vec3(0, 0, 0)"));
  renderFrame(*four, 2.0f, 0.0f);
  EXPECT_GT(litPixels(readFrame()), 20);
}
