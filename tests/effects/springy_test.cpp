// The springy kind drawn on llvmpipe: the body where the simulation put it,
// in its light's colour; back tube copies only when asked for; the first
// parameter.
#include <gtest/gtest.h>

#include <algorithm>

#include "effects/swimming_tube.h"
#include "script/error.h"
#include "tests/effects/swimming_tube_support.h"

namespace {
class Springy : public EffectTest {};
}  // namespace

TEST_F(Springy, DrawsTheSimulatedBodyInItsLightColour) {
  TempDir dir;
  writeSwimmingTubeFiles();
  auto effect = loadTestEffect(swimmingTubeDefinition("springy", 0, "vec3(0, 0, 0)"));
  for (int f = 0; f < 3; ++f) renderFrame(*effect, 2.0f + f / 30.0f, 1 / 30.0f);
  const Frame frame = readFrame();
  const Mesh& body = dynamic_cast<const SwimmingTubeEffect&>(*effect).tube().body;

  // Every lit pixel lies within the projection of the simulated body (as
  // scaled for drawing) and shows the light's colour.
  float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
  for (const MeshVertex& vertex : body.vertices) {
    const Vec3 at = projectToFrame({vertex.position.x, vertex.position.y * 8, vertex.position.z * 8});
    left = std::min(left, at.x);
    right = std::max(right, at.x);
    bottom = std::min(bottom, at.y);
    top = std::max(top, at.y);
  }
  int lit = 0;
  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x) {
      const Rgba8& pixel = frame.at(x, y);
      if (pixel.r + pixel.g + pixel.b == 0) continue;
      ++lit;
      EXPECT_TRUE(x + 1 >= left && x <= right + 1 && y + 1 >= bottom && y <= top + 1) << x << "," << y;
      EXPECT_NEAR(pixel.r, 0.2 * 255, 3);
      EXPECT_NEAR(pixel.g, 0.6 * 255, 3);
      EXPECT_NEAR(pixel.b, 0.1 * 255, 3);
    }
  EXPECT_GT(lit, 5);
}

TEST_F(Springy, BackTubeIsDrawnOnlyWithCopies) {
  TempDir dir;
  writeSwimmingTubeFiles();
  auto none = loadTestEffect(swimmingTubeDefinition("springy", 0, "vec3(0, 60, 0)", "vec3(0, 0, 0)"));
  renderFrame(*none, 2.0f, 0.0f);
  EXPECT_EQ(litPixels(readFrame()), 0);
  auto two = loadTestEffect(swimmingTubeDefinition("springy", 2, "vec3(0, 60, 0)", "vec3(0, 0, 0)"));
  renderFrame(*two, 2.0f, 0.0f);
  EXPECT_GT(litPixels(readFrame()), 20);
}
