#include "app/setup_dialog.h"

#include <gtest/gtest.h>

#include "platform/keys.h"

namespace {

std::vector<DisplayMode> modes(std::initializer_list<DisplayMode> list) { return list; }

TEST(SetupDialog, SizeListHoldsEachFourByteSizeOnceInPlatformOrder) {
  EngineState engine;
  const SetupDialogView view = prepareSetupDialog(
      engine, modes({{1920, 1080, 4}, {1024, 768, 4}, {1024, 768, 4}, {1024, 768, 2},
                     {800, 600, 2}, {640, 480, 4}}));
  EXPECT_EQ(view.sizes, (std::vector<std::string>{"1920x1080", "1024x768", "640x480"}));
  EXPECT_EQ(view.selectedSize, 1);  // the configured 1024 x 768
  EXPECT_EQ(view.caption, "                        Ormek   Velmira 2008");
}

// Xvfb's one mode is 1920x1080: the configured size is still offered and
// selected, also where the display has no mode of 4 bytes per pixel.
TEST(SetupDialog, ConfiguredSizeIsAlwaysOfferedAndSelected) {
  EngineState engine;
  engine.width = 1280;
  engine.height = 720;
  const SetupDialogView view = prepareSetupDialog(engine, modes({{1920, 1080, 4}}));
  EXPECT_EQ(view.sizes, (std::vector<std::string>{"1920x1080", "1280x720"}));
  EXPECT_EQ(view.selectedSize, 1);
  const SetupDialogView noModes = prepareSetupDialog(engine, modes({{1920, 1080, 2}}));
  EXPECT_EQ(noModes.sizes, (std::vector<std::string>{"1280x720"}));
  EXPECT_EQ(noModes.selectedSize, 0);
}

TEST(SetupDialog, ShapeFollowsTheDesktopAspect) {
  const std::vector<std::string> shapes{"output 5:4", "output 4:3", "output 16:10", "output 16:9",
                                        "output 10:16"};
  const struct {
    int width, height;
    const char* shape;
  } desktops[] = {{1920, 1080, "output 16:9"}, {1280, 1024, "output 5:4"},
                  {1080, 1920, "output 10:16"}, {1024, 768, "output 4:3"},
                  {1680, 1050, "output 16:10"}, {1000, 1000, "output 10:16"}};
  for (const auto& desktop : desktops) {
    EngineState engine;
    engine.displayAspect = float(desktop.width) / float(desktop.height);
    const SetupDialogView view = prepareSetupDialog(engine, {});
    EXPECT_EQ(view.shapes, shapes);
    EXPECT_EQ(view.shapes[view.selectedShape], desktop.shape) << desktop.width << "x" << desktop.height;
  }
}

TEST(SetupDialog, ControlsChangeTheSettings) {
  EngineState engine;
  SetupDialogView view = prepareSetupDialog(engine, modes({{1280, 720, 4}, {800, 600, 4}}));
  view.selectedSize = 0;
  applyDialogControl(engine, view, DialogControl::SizeList);
  EXPECT_EQ(engine.width, 1280);
  EXPECT_EQ(engine.height, 720);

  view.selectedShape = 1;
  applyDialogControl(engine, view, DialogControl::ShapeList);
  EXPECT_FLOAT_EQ(engine.displayAspect, 1.3333334f);
  view.selectedShape = 2;
  applyDialogControl(engine, view, DialogControl::ShapeList);
  EXPECT_FLOAT_EQ(engine.displayAspect, 1.6f);

  const bool fullscreen = engine.fullscreen, music = engine.musicEnabled;
  applyDialogControl(engine, view, DialogControl::Fullscreen);
  EXPECT_NE(engine.fullscreen, fullscreen);
  applyDialogControl(engine, view, DialogControl::Fullscreen);
  EXPECT_EQ(engine.fullscreen, fullscreen);
  applyDialogControl(engine, view, DialogControl::Audio);
  EXPECT_NE(engine.musicEnabled, music);
}

TEST(SetupDialog, SizeAndShapeTextsThatDoNotReadChangeNothing) {
  EngineState engine;
  chooseOutputSize(engine, "0x400");
  chooseOutputSize(engine, "wide");
  chooseDisplayShape(engine, "output 3:2");
  EXPECT_EQ(engine.width, 1024);
  EXPECT_EQ(engine.height, 768);
  EXPECT_FLOAT_EQ(engine.displayAspect, 1.0f);
  chooseOutputSize(engine, "640x");  // a missing height reads as 0, as the list's reader does
  EXPECT_EQ(engine.width, 640);
  EXPECT_EQ(engine.height, 0);
}

// The drawn dialog, driven by injected events under the virtual display.
DialogResult clickThrough(SetupDialogView& view, int x, int y, bool close = false) {
  if (!openSetupDialogWindow(view)) return DialogResult::Failed;
  DialogResult result = DialogResult::Running;
  for (int frame = 0; frame < 30 && result == DialogResult::Running; ++frame) {
    if (frame == 1) {
      injectDialogKey(VK_ESCAPE);  // neither key closes the dialog
      injectDialogKey(VK_RETURN);
    }
    if (frame == 6) close ? injectDialogClose() : injectDialogClick(x, y);
    result = drawSetupDialogFrame(view, [](DialogControl) {});
  }
  closeSetupDialogWindow();
  return result;
}

TEST(SetupDialogWindow, BeginEndAndClosingEndTheDialog) {
  EngineState engine;
  SetupDialogView view = prepareSetupDialog(engine, modes({{1024, 768, 4}}));
  int x = 0, y = 0;
  dialogButtonCentre(DialogButton::Begin, x, y);
  const DialogResult begin = clickThrough(view, x, y);
  ASSERT_NE(begin, DialogResult::Failed) << "no display for the dialog window (run under xvfb-run)";
  EXPECT_EQ(begin, DialogResult::Begin);
  dialogButtonCentre(DialogButton::End, x, y);
  EXPECT_EQ(clickThrough(view, x, y), DialogResult::End);
  EXPECT_EQ(clickThrough(view, 0, 0, true), DialogResult::End);
  EXPECT_EQ(clickThrough(view, 5, 5), DialogResult::Running);  // the picture is no button, keys do nothing
}

// Opening a list is a notification: the shape list answers it (its setting
// is read again), the size list only a change to another entry.
TEST(SetupDialogWindow, OpeningTheShapeListNotifiesAndTheSizeListDoesNot) {
  EngineState engine;
  SetupDialogView view = prepareSetupDialog(engine, modes({{1024, 768, 4}}));
  const int shape = view.selectedShape;
  for (const DialogControl list : {DialogControl::ShapeList, DialogControl::SizeList}) {
    ASSERT_TRUE(openSetupDialogWindow(view)) << "no display for the dialog window";
    int x = 0, y = 0;
    dialogListCentre(list, x, y);
    std::vector<DialogControl> notified;
    for (int frame = 0; frame < 20; ++frame) {
      if (frame == 3) injectDialogClick(x, y);
      drawSetupDialogFrame(view, [&](DialogControl control) { notified.push_back(control); });
    }
    closeSetupDialogWindow();
    if (list == DialogControl::ShapeList)
      EXPECT_EQ(notified, std::vector<DialogControl>{DialogControl::ShapeList});
    else
      EXPECT_TRUE(notified.empty());
  }
  EXPECT_EQ(view.selectedShape, shape);  // the same entry all along
}

}  // namespace
