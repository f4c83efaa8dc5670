// The run-up planner on made-up timelines, and the frame grid a render picks
// its frames from.
#include "tools/run_up_plan.h"

#include <gtest/gtest.h>

#include "tools/frame_grid.h"

namespace {

PlannedEffect effect(long first, long end, const char* kind = "plain") {
  PlannedEffect planned;
  planned.firstFrame = first;
  planned.endFrame = end;
  planned.kind = kind;
  planned.writesTexture = "screen";
  return planned;
}

// The frames in [from, to) where `effect` runs, as a string of '.', 's'
// (for its state) and 'P' (for its picture).
std::string needs(const RunUpPlan& plan, size_t index, long from, long to) {
  std::string text;
  for (long frame = from; frame < to; ++frame) {
    const RunUpNeed need = runUpNeed(plan, index, frame);
    text += need == RunUpNeed::None ? '.' : need == RunUpNeed::State ? 's' : 'P';
  }
  return text;
}

}  // namespace

TEST(RunUpPlan, OnlyTheFrameBeforeTheRangeForStatelessEffects) {
  const std::vector<PlannedEffect> effects = {effect(0, 100), effect(20, 60)};
  const RunUpPlan plan = planRunUp(effects, 40, 45);
  EXPECT_EQ(plan.firstFrame, 39);
  EXPECT_EQ(needs(plan, 0, 37, 40), "..P");
  EXPECT_EQ(needs(plan, 1, 37, 40), "..P");
  EXPECT_EQ(runUpFramesDrawn(plan), 1);
  EXPECT_EQ(planRunUp(effects, 0, 5).firstFrame, 0);  // nothing runs before the show
  EXPECT_EQ(runUpFramesDrawn(planRunUp(effects, 0, 5)), 0);
}

TEST(RunUpPlan, StateReachesBackToItsWindowItsKindAndTheMeshesItStirs) {
  static int sharedMesh;
  std::vector<PlannedEffect> effects = {effect(0, 100), effect(10, 20, "swim"),
                                        effect(30, 40, "swim"), effect(50, 60, "vortex"),
                                        effect(70, 80, "vortex")};
  effects[2].keepsOwnState = true;
  effects[1].keepsKindState = effects[2].keepsKindState = true;
  effects[2].stirredMeshes = {&sharedMesh};
  effects[4].stirredMeshes = {&sharedMesh};
  effects[4].keepsOwnState = true;

  const RunUpPlan plan = planRunUp(effects, 75, 77);
  EXPECT_EQ(plan.firstFrame, 10);
  EXPECT_EQ(needs(plan, 4, 70, 75), "ssssP");                     // its own window, drawn only last
  EXPECT_EQ(needs(plan, 2, 30, 40), "ssssssssss");                // stirs the same mesh
  EXPECT_EQ(needs(plan, 1, 10, 20), "ssssssssss");                // the kind's state
  EXPECT_EQ(needs(plan, 3, 50, 60), "..........");                // another mesh, no state
  EXPECT_EQ(needs(plan, 0, 10, 75), std::string(64, '.') + "P");  // no picture needed

  // A range before the later window needs nothing of it.
  EXPECT_EQ(planRunUp(effects, 35, 36).firstFrame, 10);
  EXPECT_EQ(needs(planRunUp(effects, 45, 46), 4, 70, 80), "..........");
}

TEST(RunUpPlan, PicturesPassedOnNeedTheirLastWriterAndWhatLiesBeneathIt) {
  std::vector<PlannedEffect> effects = {effect(0, 100, "backdrop"), effect(10, 20, "bump"),
                                        effect(20, 40, "blob")};
  effects[1].writesTexture = "blobBump";
  effects[2].readsTextures = {"blobBump", "a picture from a file"};
  const RunUpPlan plan = planRunUp(effects, 30, 32);
  EXPECT_EQ(needs(plan, 1, 17, 21), "..P.");  // the last frame that wrote it
  EXPECT_EQ(needs(plan, 0, 17, 21), "..P.");  // beneath it
  EXPECT_EQ(needs(plan, 2, 20, 30), std::string(9, '.') + "P");
  EXPECT_EQ(runUpFramesDrawn(plan), 2);
}

TEST(RunUpPlan, TheRingNeedsItsLastPassesWhicheverKindDrewThem) {
  std::vector<PlannedEffect> effects = {effect(0, 100), effect(10, 20, "twist"),
                                        effect(20, 30, "meshi")};
  for (const size_t ring : {1, 2}) {
    effects[ring].usesRing = true;
    effects[ring].ringSize = 3;
  }
  const RunUpPlan plan = planRunUp(effects, 21, 22);
  // The frame before the range reads the three passes before it, all twist's;
  // each of them averaged the passes before it in turn.
  EXPECT_EQ(needs(plan, 1, 10, 20), "PPPPPPPPPP");
  EXPECT_EQ(needs(plan, 2, 20, 21), "P");
  EXPECT_EQ(needs(plan, 0, 9, 21), ".PPPPPPPPPPP");  // beneath them all
}

TEST(RunUpPlan, LeftBehindValuesComeFromTheLastSetterBackToASureOne) {
  std::vector<PlannedEffect> effects = {effect(0, 10, "sure"), effect(10, 20, "maybe"),
                                        effect(20, 30, "reader"), effect(0, 30, "stateless")};
  effects[0].setsValues = {"cameraPos"};
  effects[1].setsValues = {"cameraPos"};
  effects[1].readsValues = {"cameraPos"};
  effects[2].readsValues = {"cameraPos"};
  const RunUpPlan plan = planRunUp(effects, 25, 26);
  // Each frame of the maybe-setter may have kept the value of the one before.
  EXPECT_EQ(needs(plan, 1, 10, 20), "ssssssssss");
  EXPECT_EQ(needs(plan, 0, 8, 10), ".s");
  EXPECT_EQ(needs(plan, 2, 20, 25), "....P");
  EXPECT_EQ(needs(plan, 3, 8, 25), std::string(16, '.') + "P");
  EXPECT_EQ(plan.firstFrame, 9);
  EXPECT_EQ(runUpFramesDrawn(plan), 12);
}

TEST(FrameGrid, RangesPickTheShowsFramesAndSegmentsCoverThem) {
  EXPECT_EQ(firstGridFrameAt(100.0, 10), 1000);
  EXPECT_EQ(firstGridFrameAt(1.1, 10), 11);  // a typed time on the grid is its frame
  EXPECT_EQ(firstGridFrameAt(1.15, 10), 12);
  EXPECT_EQ(firstGridFrameAt(-3, 30), 0);
  EXPECT_EQ(firstGridFrameAt(1e12, 30), -1);
  EXPECT_EQ(gridStep(30, 0), 0.0f);
  EXPECT_EQ(gridStep(30, 31), gridTime(30, 31) - gridTime(30, 30));

  const FrameSpan whole{7, 10};
  long next = whole.first;
  for (long part = 1; part <= 4; ++part) {
    const FrameSpan piece = segmentOf(whole, part, 4);
    EXPECT_EQ(piece.first, next);
    EXPECT_GE(piece.count, 2);
    EXPECT_LE(piece.count, 3);
    next = piece.first + piece.count;
  }
  EXPECT_EQ(next, 17);
}
