// Live reload against a show in a temporary folder: a definition's colour
// changes the next frame; a broken definition keeps the old picture and
// shows the error text; a fixed one runs again.
#include "app/live_show.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/frame.h"
#include "effects/effect_kinds.h"
#include "framework/resource_loaders.h"
#include "gfx/drawing_state.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/render_targets.h"
#include "gfx/texture_pool.h"
#include "pack/pack.h"
#include "platform/message.h"
#include "platform/window.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"

namespace {

bool openContext() {
  static const bool ready = [] {
    if (!openTestContext()) return false;
    createStandardTextures();
    const uint8_t white[16 * 4] = {255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
                                   255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
                                   255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
                                   255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
                                   255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
                                   255, 255, 255, 255};
    makeTexture({.name = "white", .width = 4, .height = 4, .pixels = white});
    return true;
  }();
  return ready;
}

// One full-frame layer of a solid colour.
std::string layerDefinition(const char* colour, bool declareAlpha = true) {
  std::string text =
      "code = layer\nint numLayers = 1;\nint clearScreen = 1;\nvec3 cameraPos;\nvec3 cameraLookAt;\n";
  for (const char* name : {"layerPos", "layerRot", "layerScale", "layerBL", "layerBR", "layerTL",
                           "layerTR", "layerColor"})
    text += "vec3 " + std::string(name) + "[1];\n";
  for (const char* name : {"layerBlendMode", "layerClear", "layer3D"}) text += "int " + std::string(name) + "[1];\n";
  if (declareAlpha) text += "float layerAlpha[1];\nlayerAlpha[0] = 1;\n";
  text += "texture layerTexture = \"white\";\n";
  text += "layerScale[0] = vec3(1, 1, 1);\nlayerBL[0] = vec3(-1, -1, 0);\nlayerBR[0] = vec3(1, -1, 0);\n"
          "layerTL[0] = vec3(-1, 1, 0);\nlayerTR[0] = vec3(1, 1, 0);\n";
  return text + "layerColor[0] = vec3(" + colour + ");\n";
}

// Replaces a file the way editors save: a new file renamed over the old.
void saveFile(const std::string& name, const std::string& text) {
  writeFile(name + ".new", text);
  std::filesystem::rename(name + ".new", name);
}

// A frame as the player draws it; a data error is recovered from and the
// frame drawn again. However the effects ended, the drawing state's
// attribute stacks are as deep afterwards as before.
uint8_t redOfFrame(LiveShow& show) {
  EngineState engine;
  engine.currentTime = 0.5f;
  engine.frameTimeStep = 0.02f;
  bindFrameTarget();
  try {
    drawShowPicture(engine, show.effects);
  } catch (const ScriptError& error) {
    resetDrawingState();
    recoverFromDrawingError(show, error.caption, error.text);
    drawShowPicture(engine, show.effects);
  }
  GLint attributes = -1, clientAttributes = -1;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attributes);
  glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &clientAttributes);
  EXPECT_EQ(attributes, 0);
  EXPECT_EQ(clientAttributes, 0);
  uint8_t pixel[4];
  glReadPixels(renderWidth() / 2, renderHeight() / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  return pixel[0];
}

// The layer's colour reaches the frame twice (its texture is drawn in that
// colour and then tinted by it): a red c shows as c * c.
double shade(double c) { return c * c * 255; }

[[noreturn]] void throwDataError(std::string_view caption, std::string_view text) {
  throw ScriptError(std::string(caption), std::string(text));
}

TEST(LiveShow, DefinitionChangesAppearAndBrokenOnesKeepTheLastGoodEffect) {
  ASSERT_TRUE(openContext()) << "no GL context (run under xvfb-run)";
  TempDir dir;
  resetFileLayer();
  writeFile("datapack.dat", "");
  writeFile("timeline.txt", "name = fx.txt start = 0 end = 100\n");
  writeFile("fx.txt", layerDefinition("0.2, 0, 0"));
  LiveShow show;
  startLiveShow(show, loadEffects("timeline.txt", createEffect, engineResourceLoaders()), "timeline.txt");
  ASSERT_EQ(show.effects.size(), 1u);
  EXPECT_NEAR(redOfFrame(show), shade(0.2), 2);

  saveFile("fx.txt", layerDefinition("0.8, 0, 0"));
  EXPECT_TRUE(reloadChangedFiles(show, changedShowFiles(show.watch)));
  EXPECT_NEAR(redOfFrame(show), shade(0.8), 2);
  EXPECT_TRUE(show.error.empty());

  saveFile("fx.txt", layerDefinition("0.4, 0, 0") + "float broken = pow(1);\n");
  reloadChangedFiles(show, changedShowFiles(show.watch));
  // The overlay gives the editor's place first, then the box text.
  const std::string lines = layerDefinition("0.4, 0, 0");
  const std::string place = "fx.txt:" + std::to_string(std::count(lines.begin(), lines.end(), '\n') + 1) + ":";
  EXPECT_EQ(show.error.rfind(place, 0), 0u) << show.error;
  EXPECT_NE(show.error.find("\nERROR\nError on line"), std::string::npos) << show.error;
  EXPECT_NEAR(redOfFrame(show), shade(0.8), 2);  // the last good definition runs on

  // A count that would exhaust the memory is a data error like any other.
  saveFile("fx.txt", "code = sorver\nint numSorves = 1000000000;\n");
  reloadChangedFiles(show, changedShowFiles(show.watch));
  EXPECT_NE(show.error.find("numSorves = 1000000000 is more than"), std::string::npos) << show.error;
  EXPECT_NEAR(redOfFrame(show), shade(0.8), 2);

  // A definition that compiles but lacks a variable fails while drawing.
  divertFatalMessages(throwDataError);
  saveFile("fx.txt", layerDefinition("0.4, 0, 0", false));
  reloadChangedFiles(show, changedShowFiles(show.watch));
  EXPECT_NEAR(redOfFrame(show), shade(0.8), 2);
  EXPECT_NE(show.error.find("Missing variable"), std::string::npos) << show.error;
  divertFatalMessages(nullptr);

  saveFile("fx.txt", layerDefinition("0.4, 0, 0"));
  reloadChangedFiles(show, changedShowFiles(show.watch));
  EXPECT_TRUE(show.error.empty()) << show.error;
  EXPECT_NEAR(redOfFrame(show), shade(0.4), 2);
  EXPECT_TRUE(changedShowFiles(show.watch).empty());  // nothing changed since
}

TEST(LiveShow, ChangedTimelineRebuildsTheEffects) {
  ASSERT_TRUE(openContext()) << "no GL context (run under xvfb-run)";
  TempDir dir;
  resetFileLayer();
  writeFile("datapack.dat", "");
  writeFile("timeline.txt", "name = fx.txt start = 0 end = 100\n");
  writeFile("fx.txt", layerDefinition("1, 0, 0"));
  LiveShow show;
  startLiveShow(show, loadEffects("timeline.txt", createEffect, engineResourceLoaders()), "timeline.txt");
  writeFile("other.txt", layerDefinition("0.6, 0, 0"));
  saveFile("timeline.txt", "name = fx.txt start = 0 end = 0.25\nname = other.txt start = 0.25 end = 9\n");
  EXPECT_TRUE(reloadChangedFiles(show, changedShowFiles(show.watch)));
  ASSERT_EQ(show.effects.size(), 2u);
  EXPECT_NEAR(redOfFrame(show), shade(0.6), 2);
  // The new definition is watched from now on.
  saveFile("other.txt", layerDefinition("0.2, 0, 0"));
  EXPECT_TRUE(reloadChangedFiles(show, changedShowFiles(show.watch)));
  EXPECT_NEAR(redOfFrame(show), shade(0.2), 2);
}

}  // namespace
