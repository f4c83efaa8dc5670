// Which spectrum bin a tube vertex follows: a level put into one bin moves
// exactly the vertices that read it.
#include <gtest/gtest.h>

#include "effects/music_tube.h"

namespace {

bool movesWithBin(TubeDeformation deformation, int mode, float restX, bool average, int bin) {
  SpectrumHistory quiet, loud;
  (average ? loud.average : loud.raw)[bin] = 0.3f;
  Vec3 a, b;
  const Vec3 rest = {restX, 0.5f, 0.5f};
  deformation(mode, rest, TubeMusic{quiet, 1.0f}, a);
  deformation(mode, rest, TubeMusic{loud, 1.0f}, b);
  return a.x != b.x || a.y != b.y || a.z != b.z;
}

TEST(MusicTube, TwistEndsReadTheFirstBinAndBin1024) {
  EXPECT_TRUE(movesWithBin(twistVertex, 0, -0.5f, false, 0));
  EXPECT_TRUE(movesWithBin(twistVertex, 0, 0.5f, false, 1024));
  EXPECT_FALSE(movesWithBin(twistVertex, 0, 0.49f, false, 1024));
  EXPECT_TRUE(movesWithBin(twistVertex, 1, 0.5f, false, 1024));
  EXPECT_TRUE(movesWithBin(twistVertex, 2, 0.5f, true, 1024));
}

TEST(MusicTube, CubetubeBelowTheRootReadsTheFirstBin) {
  // 2x + 2.5 is negative below x = -1.25: its signed root truncates to bin 0.
  EXPECT_TRUE(movesWithBin(cubetubeVertex, 0, -1.3f, true, 0));
  EXPECT_TRUE(movesWithBin(cubetubeVertex, 0, -16.0f, true, 0));
  EXPECT_FALSE(movesWithBin(cubetubeVertex, 0, -1.2f, true, 0));
}

}  // namespace
