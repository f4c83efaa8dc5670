// The authoring tools as programs, on small shows made by the tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/glyph_meshes.h"
#include "gfx/image_encode.h"
#include "pack/pack_format.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace {

void writeCheckerPng(const char* name) {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      for (uint8_t c : {uint8_t((x ^ y) & 4 ? 250 : 30), uint8_t(x * 16), uint8_t(y * 16),
                        uint8_t(255)})
        pixels.push_back(c);
  const std::vector<uint8_t> png = encodePng(pixels.data(), 16, 16, 4);
  writeFile(name, std::string(png.begin(), png.end()));
}

// The letter meshes the loader always asks for, as empty pack entries.
void writeGlyphPack() {
  FILE* pack = fopen("datapack.dat", "wb");
  for (const char* prefix : {"quarno/meshes/123and/font_", "quarno/meshes/font/porscha_"})
    for (int c = kFirstGlyph; c <= kLastGlyph; ++c) {
      char name[128];
      snprintf(name, sizeof name, "%s%03d.lwo", prefix, c);
      writePackEntry(pack, name, {});
    }
  fclose(pack);
}

void writeLayerShow() {
  writeFile("demo.adt", "config = config.txt\ntimeline = timeline.txt\n");
  writeFile("config.txt", "[config]\nresolution 640 360\nmusic 0\ndialog 0\n");
  writeFile("timeline.txt", "name = layers.txt start = 0 end = 10\n");
  writeGlyphPack();
  writeCheckerPng("checker.png");
  writeFile("layers.txt",
            "code = layer\n"
            "int numLayers = 1;\nint clearScreen = 1;\nvec3 cameraPos;\nvec3 cameraLookAt;\n"
            "vec3 layerPos[1];\nvec3 layerRot[1];\nvec3 layerScale[1];\nvec3 layerColor[1];\n"
            "vec3 layerBL = vec3(-1, -1, 0);\nvec3 layerBR = vec3(1, -1, 0);\n"
            "vec3 layerTL = vec3(-1, 1, 0);\nvec3 layerTR = vec3(1, 1, 0);\n"
            "int layerBlendMode[1];\nint layerClear[1];\nint layer3D[1];\nfloat layerAlpha = 1;\n"
            "texture layerTexture = textureLoad(\"checker.png\");\n"
            "layerScale = vec3(0.8, 0.8, 1);\nlayerColor = vec3(1, 1, 1);\n"
            "layerRot = vec3(0, 0, time * 30);\n");
}

}  // namespace

TEST(RenderTool, SameRangeTwiceGivesIdenticalFrames) {
  TempDir dir;
  writeLayerShow();
  const std::string render = VELMIRA_TOOL " render --show . --size 320x180 --from 1 --to 1.5 --fps 4 -o ";
  ASSERT_EQ(run(render + "first/f%02d.png"), 0);
  ASSERT_EQ(run(render + "second/f%02d.png"), 0);
  for (const char* frame : {"f00.png", "f01.png"}) {
    const std::string first = readAll(std::string("first/") + frame);
    EXPECT_GT(first.size(), 100u);
    EXPECT_EQ(first, readAll(std::string("second/") + frame)) << frame;
  }
  EXPECT_NE(readAll("first/f00.png"), readAll("first/f01.png"));  // the layer turns
}

TEST(LintTool, ListsEffectsOrReportsTheFirstError) {
  TempDir dir;
  writeLayerShow();
  ASSERT_EQ(run(VELMIRA_TOOL " lint >out.txt 2>err.txt"), 0) << readAll("err.txt");
  EXPECT_EQ(readAll("out.txt"), "0 layer layers.txt 0 10\n1 effects\n");
  writeFile("layers.txt", "code = layer\nint a = ;\n");
  EXPECT_EQ(run(VELMIRA_TOOL " lint --show . 2>err.txt"), 255);
  EXPECT_EQ(readAll("err.txt").rfind("ERROR\nError on line ", 0), 0u) << readAll("err.txt");
}

TEST(LintTool, FindsEveryKindOfBreakage) {
  TempDir dir;
  writeLayerShow();
  const std::string layers = readAll("layers.txt");
  const auto lint = [] { return run(VELMIRA_TOOL " lint --show . >out.txt 2>err.txt"); };
  const auto reported = [](const std::string& text) {
    return readAll("err.txt").find(text) != std::string::npos;
  };

  writeFile("layers.txt", std::string(layers).replace(layers.find("checker.png"), 11, "gone.png"));
  EXPECT_EQ(lint(), 1);
  EXPECT_TRUE(reported("missing file gone.png (asked for by layers.txt)")) << readAll("err.txt");

  const std::string png = readAll("checker.png");
  writeFile("layers.txt", layers);
  writeFile("checker.png", png.substr(0, png.size() / 2));
  EXPECT_EQ(lint(), 1);
  EXPECT_TRUE(reported("picture checker.png: read past the end")) << readAll("err.txt");
  writeFile("checker.png", png);

  writeFile("layers.txt", "code = nosuchkind\nint a = 1;\n");
  EXPECT_EQ(lint(), 1);
  EXPECT_TRUE(reported("layers.txt: unknown kind 'nosuchkind'")) << readAll("err.txt");

  writeFile("layers.txt", std::string(layers).replace(layers.find("int clearScreen = 1;"), 20, ""));
  EXPECT_NE(lint(), 0);
  EXPECT_TRUE(reported("RUNTIME EFFECT ERROR")) << readAll("err.txt");

  writeFile("demo.adt", std::string("\x89garbage\0\x01", 11));
  EXPECT_EQ(lint(), 1);
  EXPECT_TRUE(reported("demo.adt names no timeline")) << readAll("err.txt");

  std::filesystem::remove("demo.adt");
  writeFile("datapack.dat", "");
  EXPECT_EQ(lint(), 1);
  EXPECT_TRUE(reported("missing file demo.adt")) << readAll("err.txt");
}

// Without VELMIRA_NO_DIALOGS a message would open a box in the tool's hidden
// window and wait for a click that never comes.
TEST(LintTool, NeverWaitsOnAMessageBox) {
  if (!getenv("DISPLAY")) GTEST_SKIP() << "needs a display (run under xvfb-run)";
  TempDir dir;
  writeLayerShow();
  std::filesystem::remove("datapack.dat");  // every missing file now shows a message
  const int status = std::system("timeout 30 " VELMIRA_TOOL " lint --show . >/dev/null 2>&1");
  EXPECT_EQ(WEXITSTATUS(status), 1);
}

TEST(CatTool, InfoLinesAndMissingNames) {
  TempDir dir;
  writeFile("here.txt", "12345");
  EXPECT_EQ(run(VELMIRA_TOOL " cat --show . --info here.txt gone.txt >out.txt 2>err.txt"), 1);
  EXPECT_EQ(readAll("out.txt"), "2 5 here.txt\n0 0 gone.txt\n");
  EXPECT_EQ(readAll("err.txt"), "Error: datafile gone.txt not found.\n");
}

TEST(PackTool, BuildsListsAndRefusesLongNames) {
  TempDir dir;
  writeFile("a.txt", "aaa");
  writeFile("sub/b.bin", "");
  writeFile("list.txt", "a.txt\r\nsub/b.bin\n");
  ASSERT_EQ(run(VELMIRA_TOOL " pack -o datapack.dat --list list.txt"), 0);
  ASSERT_EQ(run(VELMIRA_TOOL " pack --ls datapack.dat >ls.txt"), 0);
  EXPECT_EQ(readAll("ls.txt"), "a.txt 3\nsub/b.bin 0\n");
  std::filesystem::remove("a.txt");
  ASSERT_EQ(run(VELMIRA_TOOL " cat --show . a.txt >cat.txt"), 0);
  EXPECT_EQ(readAll("cat.txt"), "aaa");
  const std::string longName(300, 'n');
  EXPECT_NE(run(VELMIRA_TOOL " pack -o other.dat " + longName + " 2>/dev/null"), 0);
  EXPECT_FALSE(std::filesystem::exists("other.dat"));
}

TEST(ConfigTool, PrintsTheDerivedConfiguration) {
  TempDir dir;
  writeFile("demo.adt", "config = c.txt\ntimeline = t.txt\n");
  writeFile("c.txt", "resolution 800 500\nfullscreen 1\nfps 0\ndemoStartTime 30.5\n");
  ASSERT_EQ(run(VELMIRA_TOOL " config -window >out.txt"), 0);  // demo.adt here: this show
  EXPECT_EQ(readAll("out.txt"),
            "width 800\nheight 500\nrenderWidth 512\nrenderHeight 256\nfullscreen 0\n"
            "showFps 0\nmusicEnabled 1\nshowDialog 1\ncommentsEnabled 0\nrewindEnabled 0\n"
            "makeFileList 0\ndemoStartTime 30.5\ntimelineFileName t.txt\n");
}

TEST(ToolConventions, UsageErrorsAndHelp) {
  TempDir dir;
  writeFile("def.txt", "code = layer\nfloat x = 1;\n");
  struct Row {
    const char* command;
    int status;
    const char* stderrHas;  // and stdout stays empty when status is 2
  };
  const Row rows[] = {
      {"render --bogus", 2, "unknown option --bogus"},
      {"config --bogus", 2, "unknown argument --bogus"},
      {"cat --bogus", 2, "unknown option --bogus"},
      {"lint extra", 2, "unexpected argument extra"},
      {"pack --ls", 2, "--ls needs a value"},
      {"nosuchcommand", 2, "unknown command 'nosuchcommand'"},
      {"render --time abc -o f.png", 2, "--time wants a number, not 'abc'"},
      {"render --from 5 --to 4 -o f%d.png", 2, "--to must be above --from"},
      {"render --time 1 -o out/%s%s%s%s.png", 2, "is not a frame number conversion"},
      {"render --time 1 -o out/%n.png", 2, "is not a frame number conversion"},
      {"render --from 0 --to 1 -o still.png", 2, "needs a frame number conversion"},
      {"eval def.txt --start abc", 2, "--start wants a number, not 'abc'"},
      {"eval def.txt --params 1,x", 2, "--params: 'x' is not a number"},
      {"spectrum a.mp3 --time 1s", 2, "--time wants a number"},
  };
  for (const Row& row : rows) {
    const int status = run(std::string(VELMIRA_TOOL " ") + row.command + " >out.txt 2>err.txt");
    EXPECT_EQ(status, row.status) << row.command;
    EXPECT_NE(readAll("err.txt").find(row.stderrHas), std::string::npos) << row.command << "\n"
                                                                         << readAll("err.txt");
    EXPECT_NE(readAll("err.txt").find("usage: velmira-tool"), std::string::npos) << row.command;
    EXPECT_EQ(readAll("out.txt"), "") << row.command;
  }
  for (const char* help : {"render --help", "help render", "help", "--help", "lint -h"}) {
    EXPECT_EQ(run(std::string(VELMIRA_TOOL " ") + help + " >out.txt 2>err.txt"), 0) << help;
    EXPECT_NE(readAll("out.txt").find("usage: velmira-tool"), std::string::npos) << help;
    EXPECT_EQ(readAll("err.txt"), "") << help;
  }
  EXPECT_NE(readAll("out.txt").find("lint"), std::string::npos);
}

TEST(RenderTool, ARangeRunsUpAScriptThatCountsItsFrames) {
  if (!getenv("DISPLAY")) GTEST_SKIP() << "needs a display (run under xvfb-run)";
  TempDir dir;
  writeLayerShow();
  std::string layers = readAll("layers.txt");
  layers.replace(layers.find("time * 30"), 9, "frame * 30");
  writeFile("layers.txt", layers);
  const std::string render = VELMIRA_TOOL " render --show . --size 32x18 --fps 4 ";
  ASSERT_EQ(run(render + "--from 0 --to 1.5 -o straight/f%d.png"), 0);
  ASSERT_EQ(run(render + "--from 1 --to 1.5 -o late/f%d.png"), 0);
  EXPECT_EQ(readAll("late/f0.png"), readAll("straight/f4.png"));
  EXPECT_EQ(readAll("late/f1.png"), readAll("straight/f5.png"));
  EXPECT_NE(readAll("straight/f4.png"), readAll("straight/f5.png"));  // the counter turns it
}

TEST(RenderTool, WritesOneFileForEachFrameTimeBelowTheEnd) {
  TempDir dir;
  writeLayerShow();
  ASSERT_EQ(run(VELMIRA_TOOL " render --size 32x18 --from 1 --to 1.05 --fps 20 -o f%02d.png"), 0);
  EXPECT_TRUE(std::filesystem::exists("f00.png"));
  EXPECT_FALSE(std::filesystem::exists("f01.png"));
  ASSERT_EQ(run(VELMIRA_TOOL " render --size 32x18 --time 2 -o still.png"), 0);
  EXPECT_TRUE(std::filesystem::exists("still.png"));
}

TEST(Inspectors, NameBrokenFilesAndRefuseOtherFormats) {
  TempDir dir;
  writeCheckerPng("checker.png");
  const std::string png = readAll("checker.png");
  writeFile("half.png", png.substr(0, png.size() / 2));
  EXPECT_EQ(run(VELMIRA_TOOL " image half.png out.png 2>err.txt"), 1);
  EXPECT_NE(readAll("err.txt").find("half.png: read past the end"), std::string::npos)
      << readAll("err.txt");

  std::vector<uint8_t> pixels(64 * 64 * 3);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 7);
  const std::vector<uint8_t> jpeg = encodeJpeg(pixels.data(), 64, 64, 90);
  writeFile("cut.jpg", std::string(jpeg.begin(), jpeg.begin() + long(jpeg.size() / 2)));
  EXPECT_EQ(run(VELMIRA_TOOL " image cut.jpg out.png 2>err.txt"), 0);
  EXPECT_NE(readAll("err.txt").find("cut.jpg: Premature end of JPEG file"), std::string::npos)
      << readAll("err.txt");

  // A form whose points chunk claims 36 bytes and holds 12.
  writeFile("cut.lwo", std::string("FORM\0\0\0\x30LWO2PNTS\0\0\0\x24", 20) + std::string(12, '\0'));
  EXPECT_EQ(run(VELMIRA_TOOL " mesh cut.lwo >out.txt 2>err.txt"), 1);
  EXPECT_EQ(readAll("out.txt"), "vertices 1 triangles 0\n");
  EXPECT_NE(readAll("err.txt").find("cut.lwo is cut short"), std::string::npos) << readAll("err.txt");

  EXPECT_EQ(run(VELMIRA_TOOL " mesh cut.jpg 2>err.txt"), 1);
  EXPECT_NE(readAll("err.txt").find("cut.jpg is not an LWO2 mesh"), std::string::npos);
  EXPECT_EQ(run(VELMIRA_TOOL " material cut.jpg 2>err.txt"), 1);
  EXPECT_NE(readAll("err.txt").find("cut.jpg is not a text file"), std::string::npos);
  EXPECT_EQ(run(VELMIRA_TOOL " pack --ls cut.jpg 2>err.txt"), 1);
  EXPECT_NE(readAll("err.txt").find("cut.jpg is not a pack"), std::string::npos);
}
