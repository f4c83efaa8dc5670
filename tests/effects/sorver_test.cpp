// The lathe kinds drawn on llvmpipe: a square tube morphing between two
// widths, lit by two additive light passes of a flat material.
#include <gtest/gtest.h>

#include <cmath>

#include "effects/camera.h"
#include "gfx/gl.h"
#include "platform/message.h"
#include "script/error.h"
#include "support/effect_harness.h"
#include "tests/effects/material_kind_support.h"

namespace {

void writeTubeFiles() {
  writeFlatMaterial("flat.txt");
  writeCurve("thin.txt", {{1, -2, 0}, {1, -1, 0}, {1, 1, 0}, {1, 2, 0}});
  writeCurve("wide.txt", {{2, -2, 0}, {2, -1, 0}, {2, 1, 0}, {2, 2, 0}});
  writeCurve("square.txt", {{1, 1, 0}, {-1, 1, 0}, {-1, -1, 0}, {1, -1, 0}}, true, 1);
  writeCurve("one.txt", {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}});
  writeCurve("zero.txt", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
}

// One surface at start-up (time 0), three asked for from time 1 on.
std::string tubeDefinition(const std::string& kind, float anim) {
  return "code = " + kind +
         "\nint numSorves = unit(time - 1) * 2 + 1;\n"
         "curve sorveCurve = \"thin.txt\";\ncurve sorveCurve2 = \"wide.txt\";\n"
         "curve sorveOutCurve = \"square.txt\";\n"
         "curve sorveScaleYCurve = \"one.txt\";\nfloat sorveScaleYRepeat = 1;\n"
         "float sorveScaleYOfs;\ncurve sorveRotateCenterCurve = \"zero.txt\";\n"
         "float sorveRotateCenterRepeat = 1;\nfloat sorveRotateCenterOfs;\n"
         "curve sorveScaleCenterCurve = \"one.txt\";\nfloat sorveScaleCenterRepeat = 1;\n"
         "float sorveScaleCenterOfs;\ncurve sorveMoveCurve = \"zero.txt\";\nint sorveMove;\n"
         "float sorveMoveRepeat;\nfloat sorveMoveStart;\nfloat sorveMoveEnd;\n"
         "curve sorveMoveRotCurve = \"zero.txt\";\nfloat sorveMoveRotRepeat;\n"
         "float sorveMoveRotOfs;\nint sorveDivs = 4;\nint sorveRevols = 8;\nint sorveAxis = 1;\n"
         "int sorveTexGenMode = 3;\nfloat sorveAnim = " +
         std::to_string(anim) +
         ";\nint sorveNormalInv;\nmaterial sorveMaterial = \"flat.txt\";\nvec3 sorvePos;\n"
         "vec3 sorveCen;\nvec3 sorveRot;\nvec3 sorveSca = vec3(1, 1, 1);\nint setCamera = 1;\n"
         "vec3 cameraPos = vec3(0, 0, 5);\nvec3 cameraLookAt;\nvec3 cameraRPY;\n"
         "vec3 cameraLookAtRPY;\nfloat cameraZoom;\nint numLights = 2;\nvec3 lightPos[2];\n"
         "vec3 lightColor[2];\nlightColor[0] = vec3(0.2, 0.6, 0.1);\n"
         "lightColor[1] = vec3(0.4, 0.1, 0.5);\ntexture lightTexture = \"none\";\n"
         "float lightSize = 0;\n";
}

}  // namespace

TEST_F(EffectTest, SorverMorphsBetweenShapesAndAddsItsLights) {
  TempDir folder;
  writeTubeFiles();
  for (float anim : {0.0f, 0.5f, 1.0f}) {
    SCOPED_TRACE(anim);
    auto effect = loadTestEffect(tubeDefinition("sorver", anim));
    renderFrame(*effect, 0.5f);
    const Frame frame = readFrame();
    // The front face of the tube, half width 1 + anim, hides the rest.
    const float r = 1 + anim;
    const Vec3 low = projectToFrame({-r, -1, r}), high = projectToFrame({r, 1, r});
    int lit = 0;
    for (int y = 0; y < frame.height; ++y)
      for (int x = 0; x < frame.width; ++x) {
        const float px = x + 0.5f, py = y + 0.5f;
        const Rgba8& pixel = frame.at(x, y);
        if (px > low.x + 1 && px < high.x - 1 && py > low.y + 1 && py < high.y - 1) {
          EXPECT_TRUE(hasColour(pixel, 0.6f, 0.7f, 0.6f)) << x << "," << y;
          ++lit;
        } else if (px < low.x - 1 || px > high.x + 1 || py < low.y - 1 || py > high.y + 1) {
          EXPECT_TRUE(isBlack(pixel)) << x << "," << y;
        }
      }
    EXPECT_GT(lit, 20);
  }
}

TEST_F(EffectTest, SorverBreakDrawsAsSorverAndMoreSurfacesThanBuiltAreNotDrawn) {
  TempDir folder;
  writeTubeFiles();
  auto sorver = loadTestEffect(tubeDefinition("sorver", 0.25f));
  auto broken = loadTestEffect(tubeDefinition("sorverBreak", 0.25f));
  // At time 5 the definition asks for three surfaces; one was built.
  renderFrame(*sorver, 5.0f);
  const Frame first = readFrame();
  renderFrame(*broken, 5.0f);
  const Frame second = readFrame();
  ASSERT_EQ(first.pixels.size(), second.pixels.size());
  EXPECT_EQ(0, memcmp(first.pixels.data(), second.pixels.data(),
                      first.pixels.size() * sizeof(Rgba8)));
  EXPECT_TRUE(hasColour(first.at(first.width / 2, first.height / 2), 0.6f, 0.7f, 0.6f));
}

// A surface without a material is drawn without a material pass: no error,
// and no GL error from a pass that had nothing to apply. What it shows then
// depends on the texture state earlier passes left, so no colour is checked.
TEST_F(EffectTest, SorverSurfaceWithoutAMaterialDrawsWithoutAPass) {
  TempDir folder;
  writeTubeFiles();
  for (const char* kind : {"sorver", "sorverBreak"}) {
    std::string definition = tubeDefinition(kind, 0.0f);
    definition.replace(definition.find("material sorveMaterial = \"flat.txt\";"), 36,
                       "material sorveMaterial;");
    auto effect = loadTestEffect(definition);
    while (glGetError() != GL_NO_ERROR) {
    }
    EXPECT_NO_THROW(renderFrame(*effect, 0.5f)) << kind;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << kind;
  }
}

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

std::string loadError(const std::string& definition) {
  try {
    loadTestEffect(definition);
  } catch (const ScriptError& error) {
    return error.text;
  }
  return "";
}

}  // namespace

// Counts far beyond a real show are a data error at start-up (surfaces and
// their vertices) or held with a note (lights, one pass each), never an
// allocation failure or a frame that does not end.
TEST_F(EffectTest, SorverAbsurdCountsAreDataErrorsOrHeld) {
  TempDir folder;
  writeTubeFiles();
  const std::string tube = tubeDefinition("sorver", 0.25f);
  EXPECT_NE(loadError(replaced(tube, "int numSorves = unit(time - 1) * 2 + 1;",
                               "int numSorves = 1000000000;"))
                .find("numSorves = 1000000000 is more than the 1024 surfaces"),
            std::string::npos);
  EXPECT_NE(loadError(replaced(tube, "int sorveRevols = 8;", "int sorveRevols = 1000000000;"))
                .find("vertices (sorveDivs x sorveRevols), more than the 1048576"),
            std::string::npos);
  // Columns far above the old limit of 5000 are still built as given.
  EXPECT_EQ(loadError(replaced(tube, "int sorveRevols = 8;", "int sorveRevols = 20000;")), "");
  auto manyLights = loadTestEffect(replaced(tube, "int numLights = 2;", "int numLights = 10000;"));
  const int notesBefore = notesGiven();
  renderFrame(*manyLights, 5.0f);
  renderFrame(*manyLights, 5.1f);
  EXPECT_EQ(notesGiven(), notesBefore + 1);  // once, not every frame
}
