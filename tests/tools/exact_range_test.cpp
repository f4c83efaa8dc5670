// Renders that start inside the built show, against the render from the
// show's start at the same rate: every stateful kind, a single --time frame,
// a range across two effects, segments, and the join of video pieces.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/process.h"
#include "support/temp_dir.h"

namespace {

const std::string kRender = VELMIRA_TOOL " render --show " VELMIRA_SHOW_DIR " --size 16x9 --fps 2 ";
constexpr double kFps = 2;

std::string frameFile(const std::string& folder, long frame) {
  char name[32];
  snprintf(name, sizeof name, "/f%03ld.png", frame);
  return folder + name;
}

class ExactRanges : public testing::Test {
 protected:
  // The straight render, made once: frame k shows k / 2 seconds.
  static void SetUpTestSuite() {
    if (!getenv("DISPLAY")) return;
    straight_ = new TempDir;
    ASSERT_EQ(run(kRender + "--from 0 --to 126 -o straight/f%03d.png"), 0);
  }
  static void TearDownTestSuite() {
    delete straight_;
    straight_ = nullptr;
  }
  void SetUp() override {
    ASSERT_DISPLAY();
  }

  static std::string straightFrame(long frame) {
    return readAll(frameFile((straight_->path() / "straight").string(), frame));
  }

  // Renders [from, from + seconds) into a fresh folder and compares each frame.
  static void expectRangeAsStraight(double from, double seconds, const char* what) {
    TempDir dir;
    ASSERT_EQ(run(kRender + "--from " + std::to_string(from) + " --to " +
                  std::to_string(from + seconds) + " -o r/f%03d.png"),
              0)
        << what;
    const long first = long(from * kFps);
    for (long frame = 0; frame < long(seconds * kFps); ++frame) {
      const std::string rendered = readAll(frameFile("r", frame));
      ASSERT_FALSE(rendered.empty()) << what;
      EXPECT_TRUE(rendered == straightFrame(first + frame))
          << what << ": frame at " << double(first + frame) / kFps << " s differs";
    }
  }

  static void expectTimeAsStraight(double time, const char* what) {
    TempDir dir;
    ASSERT_EQ(run(kRender + "--time " + std::to_string(time) + " -o still.png"), 0) << what;
    EXPECT_TRUE(readAll("still.png") == straightFrame(long(time * kFps)))
        << what << ": --time " << time << " differs";
  }

  static TempDir* straight_;
};

TempDir* ExactRanges::straight_ = nullptr;

}  // namespace

TEST_F(ExactRanges, EveryStatefulKindStartedInsideItsWindow) {
  const struct {
    double from;
    const char* what;
    bool alsoSingleFrame;
  } starts[] = {
      {17.5, "the bump map made from the picture beneath it", false},
      {21.5, "the blob wearing the bump map of the effect before it (pool texture)", true},
      {26.5, "motion's previous frame", true},
      {50.5, "breaker's particles", true},
      {82.5, "twist's ring and spectrum history", false},
      {89.5, "meshi's ring", true},
      {97.5, "springy's springs and particles", true},
      {101.5, "springer's springs and particles", false},
      {108.5, "the projectors after the swimmers (the camera left behind)", false},
      {119.5, "cubetube's particles, left by springy, its ring after meshi's", true},
      {124.5, "cubetube's spectrum history", false},
  };
  for (const auto& start : starts) {
    expectRangeAsStraight(start.from, 1.0, start.what);
    if (start.alsoSingleFrame) expectTimeAsStraight(start.from + 0.5, start.what);
  }
}

TEST_F(ExactRanges, ARangeFromOneEffectIntoTheNext) {
  expectRangeAsStraight(86.5, 3.0, "twist into meshi");
}

TEST_F(ExactRanges, SegmentsAreTheFramesOfTheWholeRender) {
  TempDir dir;
  for (const char* segment : {"1/3", "2/3", "3/3"})
    ASSERT_EQ(run(kRender + "--from 98 --to 100.5 --segment " + segment + " -o s/f%03d.png"), 0);
  for (long frame = 0; frame < 5; ++frame)
    EXPECT_TRUE(readAll(frameFile("s", frame)) == straightFrame(196 + frame)) << frame;
  EXPECT_FALSE(std::filesystem::exists(frameFile("s", 5)));

  for (const char* wrong : {"0/3", "4/3", "1/0", "2", "a/b", "1.5/3", "1/6"})
    EXPECT_EQ(
        run(kRender + "--from 98 --to 100.5 --segment " + wrong + " -o s/f%03d.png 2>err.txt"), 2)
        << wrong;
  EXPECT_NE(readAll("err.txt").find("--segment 6 parts of a range of 5 frames"), std::string::npos);
}

TEST(JoinTool, PiecesMakeTheVideoOfTheWholeRangeWithItsSound) {
  ASSERT_DISPLAY();
  if (run("command -v ffprobe > /dev/null") != 0) GTEST_SKIP() << "needs ffmpeg";
  TempDir dir;
  const std::string range = "--from 20 --to 21.5 --fps 10 --size 32x18 ";
  const std::string render = VELMIRA_TOOL " render --show " VELMIRA_SHOW_DIR " " + range;
  ASSERT_EQ(run(render + "--video whole.mp4 2>/dev/null"), 0);
  ASSERT_EQ(run(render + "--segment 1/2 --video a.mp4"), 0);
  ASSERT_EQ(run(render + "--segment 2/2 --video b.mp4"), 0);
  EXPECT_EQ(run("ffprobe -v error -show_entries stream=codec_type -of csv=p=0 a.mp4 > kinds.txt"),
            0);
  EXPECT_EQ(readAll("kinds.txt"), "video\n");  // a piece holds no sound
  ASSERT_EQ(run(VELMIRA_TOOL " join --show " VELMIRA_SHOW_DIR " --fps 10 --from 20 --to 21.5 "
                             "--video joined.mp4 a.mp4 b.mp4"),
            0);
  const std::string probe =
      "ffprobe -v error -count_frames -show_entries stream=codec_type,nb_read_frames,duration "
      "-of csv=p=0 ";
  ASSERT_EQ(run(probe + "whole.mp4 > whole.txt && " + probe + "joined.mp4 > joined.txt"), 0);
  EXPECT_NE(readAll("joined.txt").find("video,1.500000,15"), std::string::npos)
      << readAll("joined.txt");
  EXPECT_EQ(readAll("joined.txt"), readAll("whole.txt"));
  EXPECT_FALSE(std::filesystem::exists("joined.mp4.pieces.txt"));

  EXPECT_EQ(run(VELMIRA_TOOL " join --video out.mp4 missing.mp4 2>err.txt"), 2);
  EXPECT_NE(readAll("err.txt").find("no piece missing.mp4"), std::string::npos);
  EXPECT_EQ(run(VELMIRA_TOOL " join --video out.mp4 2>err.txt"), 2);
}
