// The text kind drawn on llvmpipe with square letters put into the start-up
// letter sets: every letter lands where the path curve puts it at its own
// time, and characters without a letter take their place and draw nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/glyph_meshes.h"
#include "gfx/curve.h"
#include "script/error.h"
#include "script/script.h"
#include "support/effect_harness.h"
#include "tests/effects/material_kind_support.h"

namespace {

constexpr float kHalf = 0.35f;  // half size of the square letters

Mesh square() {
  Mesh mesh;
  for (Vec3 p : {Vec3{-kHalf, -kHalf, 0}, Vec3{kHalf, -kHalf, 0}, Vec3{kHalf, kHalf, 0},
                 Vec3{-kHalf, kHalf, 0}}) {
    mesh.vertices.emplace_back();
    mesh.vertices.back().position = p;
  }
  addTriangle(mesh, 0, 1, 2);
  addTriangle(mesh, 0, 2, 3);
  return mesh;
}

const std::vector<Vec3> kPath = {{-3, 0, 0}, {-2, 0.8f, 0}, {-1, -0.8f, 0}, {0, 0.8f, 0},
                                 {1, -0.8f, 0}, {2, 0.8f, 0}, {3, 0, 0}};

// Slots 0..6 at path times 6.2, 5.4, ..., 1.4: the first letter is past the
// path's last key; a space, DEL and a byte above 127 have no letter; "O"
// exists only in the second set.
const char kText[] = "I I\x7f\xc9OI";

std::string textDefinition(int useFont, int offsetTerms = 1) {
  return "code = text\nint numTextOfs = " + std::to_string(offsetTerms) +
         ";\nint textRotateZ;\nint textRotateY;\n"
         "string text = \"" + std::string(kText) +
         "\";\nvec3 textMoveScale = vec3(2, 0.5, 1);\ncurve textMove = \"path.txt\";\n"
         "float textTime = 6.2;\nfloat textSpacing = 0.8;\ncurve textOfsX = \"zero.txt\";\n"
         "curve textOfsY = \"one.txt\";\ncurve textOfsZ = \"zero.txt\";\n"
         "float textOfsMul = 0.8;\nfloat textOfsFreq = 1;\nfloat textOfsPhase;\n"
         "int setCamera = 1;\nvec3 cameraPos = vec3(0, 0, 6);\nvec3 cameraLookAt;\n"
         "vec3 cameraRPY;\nvec3 cameraLookAtRPY;\nfloat cameraZoom;\nint numLights = 1;\n"
         "vec3 lightPos;\nvec3 lightColor = vec3(0.3, 0.8, 0.5);\ntexture lightTexture = \"none\";\n"
         "float lightSize = 0;\nint useFont = " + std::to_string(useFont) +
         ";\nint meshNormalInv;\nvec3 meshPos = vec3(0, 0 - 0.2, 0);\nvec3 meshCen;\n"
         "vec3 meshRot;\nvec3 meshSca = vec3(1, 1, 1);\nmaterial meshMaterial = \"flat.txt\";\n";
}

// The material and curves every text definition of these tests reads.
void writeTextFiles() {
  writeFlatMaterial("flat.txt");
  writeCurve("path.txt", kPath);
  writeCurve("one.txt", {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}});
  writeCurve("zero.txt", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
}

}  // namespace

TEST_F(EffectTest, TextLettersSitAtTheirPathTimesAndOnlyLettersDraw) {
  TempDir folder;
  writeTextFiles();
  glyphMeshes.sans['I'] = square();
  glyphMeshes.display['I'] = square();
  glyphMeshes.display['O'] = square();
  Curve path;
  for (size_t i = 0; i < kPath.size(); ++i) path.keys.push_back({float(i), 0, 0});
  path.points = kPath;

  for (int useFont : {0, 1}) {
    SCOPED_TRACE(useFont);
    auto effect = loadTestEffect(textDefinition(useFont));
    renderFrame(*effect, 1.0f);
    const Frame frame = readFrame();
    std::vector<std::pair<Vec3, Vec3>> drawn;  // window corners of each drawn letter
    for (int k = 0; k < 7; ++k) {
      Vec3 at;
      curvePosition(path, 6.2f - 0.8f * k, at);
      // Path scaled by (2, 0.5, 1), moved by meshPos and lifted by the wobble.
      const Vec3 centre{at.x * 2, at.y * 0.5f - 0.2f + 0.8f, at.z};
      const Vec3 c = projectToFrame(centre);
      const Rgba8& pixel = frame.at(int(c.x), int(c.y));
      const bool letter = kText[k] == 'I' || (kText[k] == 'O' && useFont == 1);
      if (!letter || k == 0) {
        EXPECT_TRUE(isBlack(pixel)) << "slot " << k;
        continue;
      }
      EXPECT_TRUE(hasColour(pixel, 0.3f, 0.8f, 0.5f)) << "slot " << k;
      drawn.push_back({projectToFrame({centre.x - kHalf, centre.y - kHalf, 0}),
                       projectToFrame({centre.x + kHalf, centre.y + kHalf, 0})});
    }
    // Nothing else is lit.
    for (int y = 0; y < frame.height; ++y)
      for (int x = 0; x < frame.width; ++x) {
        bool inside = false;
        for (const auto& [low, high] : drawn)
          inside |= x + 0.5f > low.x - 1 && x + 0.5f < high.x + 1 && y + 0.5f > low.y - 1 &&
                    y + 0.5f < high.y + 1;
        EXPECT_TRUE(inside || isBlack(frame.at(x, y))) << x << "," << y;
      }
  }
  glyphMeshes.sans['I'] = Mesh();
  glyphMeshes.display['I'] = Mesh();
  glyphMeshes.display['O'] = Mesh();
}

TEST_F(EffectTest, TextUsesAtMostTenWobbleTerms) {
  TempDir folder;
  writeTextFiles();
  glyphMeshes.sans['I'] = square();
  Frame frames[2];
  for (int i = 0; i < 2; ++i) {
    // The wobble terms' one-element lists serve every term.
    std::string definition = textDefinition(0, i == 0 ? 10 : 1000000);
    definition.replace(definition.find("textOfsMul = 0.8"), 16, "textOfsMul = 0.05");
    auto effect = loadTestEffect(definition);
    renderFrame(*effect, 1.0f);
    frames[i] = readFrame();
  }
  glyphMeshes.sans['I'] = Mesh();
  EXPECT_FALSE(std::all_of(frames[0].pixels.begin(), frames[0].pixels.end(), isBlack));
  EXPECT_EQ(0, memcmp(frames[0].pixels.data(), frames[1].pixels.data(),
                      frames[0].pixels.size() * sizeof(Rgba8)));
}


namespace {

// Every slot of a string with no spacing sits on the same point of the path,
// so any drawn letter lights the frame's middle.
bool drawsALetter(Effect& effect) {
  renderFrame(effect, 1.0f);
  const Frame frame = readFrame();
  return !std::all_of(frame.pixels.begin(), frame.pixels.end(), isBlack);
}

}  // namespace

// A definition's statement holds at most 2047 bytes, so only a string made by
// the program reaches the limit; a letter in slot 4095 or later is not drawn.
TEST_F(EffectTest, TextUsesAtMost4095Characters) {
  TempDir folder;
  writeTextFiles();
  glyphMeshes.sans['I'] = square();
  std::string definition = textDefinition(0);
  definition.replace(definition.find("textTime = 6.2"), 14, "textTime = 3.5");
  definition.replace(definition.find("textSpacing = 0.8"), 17, "textSpacing = 0");
  auto effect = loadTestEffect(definition);
  Variable* text = findVariable(effect->script->variables, "text");
  ASSERT_TRUE(text && text->text);
  text->text->text = std::string(4094, ' ') + "I";
  EXPECT_TRUE(drawsALetter(*effect));
  text->text->text = std::string(4095, ' ') + "IIII";
  EXPECT_FALSE(drawsALetter(*effect));
  glyphMeshes.sans['I'] = Mesh();
}

// A closed path whose last key lies at time 0 has no length to spread the
// wobble over: the wobble is taken at path time 0 (instead of a division by
// zero that would put the letter nowhere), and the letter still draws.
TEST_F(EffectTest, TextOnAClosedPathEndingAtTimeZeroStillDraws) {
  TempDir folder;
  writeTextFiles();
  writeFile("path.txt", "1\n0, -3, 0, -1, 0, 0\n1, -2, 0, 0, 1, 0\n2, -1, 0, 1, 0, 0\n3, 0, 0, 0, -1, 0\n");
  glyphMeshes.sans['I'] = square();
  std::string definition = textDefinition(0);
  definition.replace(definition.find("\"I I\x7f\xc9OI\""), 9, "\"I\"");
  definition.replace(definition.find("textOfsMul = 0.8"), 16, "textOfsMul = 0.1");
  auto effect = loadTestEffect(definition);
  EXPECT_TRUE(drawsALetter(*effect));
  glyphMeshes.sans['I'] = Mesh();
}
