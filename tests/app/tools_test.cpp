// The authoring tools as programs, on small shows made by the tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "gfx/image_encode.h"
#include "support/temp_dir.h"

namespace {

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Messages go to stderr only: no box may wait for a click.
int run(const std::string& command) {
  const int status = std::system(("VELMIRA_NO_DIALOGS=1 " + command).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

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

void writeLayerShow() {
  writeFile("demo.adt", "config = config.txt\ntimeline = timeline.txt\n");
  writeFile("config.txt", "[config]\nresolution 640 360\nmusic 0\ndialog 0\n");
  writeFile("timeline.txt", "name = layers.txt start = 0 end = 10\n");
  // An empty pack: the letter meshes the loader asks for read as empty files.
  writeFile("datapack.dat", "");
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
  ASSERT_EQ(run(VELMIRA_TOOL " lint --show . >out.txt"), 0);
  EXPECT_EQ(readAll("out.txt"), "0 layer layers.txt 0 10\n1 effects\n");
  writeFile("layers.txt", "code = layer\nint a = ;\n");
  EXPECT_EQ(run(VELMIRA_TOOL " lint --show . 2>err.txt"), 255);
  EXPECT_EQ(readAll("err.txt").rfind("ERROR\nError on line ", 0), 0u) << readAll("err.txt");
}

TEST(CatTool, InfoLinesAndMissingNames) {
  TempDir dir;
  writeFile("here.txt", "12345");
  EXPECT_EQ(run(VELMIRA_TOOL " cat --info here.txt gone.txt >out.txt 2>err.txt"), 1);
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
  ASSERT_EQ(run(VELMIRA_TOOL " cat a.txt >cat.txt"), 0);
  EXPECT_EQ(readAll("cat.txt"), "aaa");
  const std::string longName(300, 'n');
  EXPECT_NE(run(VELMIRA_TOOL " pack -o other.dat " + longName + " 2>/dev/null"), 0);
  EXPECT_FALSE(std::filesystem::exists("other.dat"));
}

TEST(ConfigTool, PrintsTheDerivedConfiguration) {
  TempDir dir;
  writeFile("demo.adt", "config = c.txt\ntimeline = t.txt\n");
  writeFile("c.txt", "resolution 800 500\nfullscreen 1\nfps 0\ndemoStartTime 30.5\n");
  ASSERT_EQ(run(VELMIRA_TOOL " config -window >out.txt"), 0);
  EXPECT_EQ(readAll("out.txt"),
            "width 800\nheight 500\nrenderWidth 512\nrenderHeight 256\nfullscreen 0\n"
            "showFps 0\nmusicEnabled 1\nshowDialog 1\ncommentsEnabled 0\nrewindEnabled 0\n"
            "makeFileList 0\ndemoStartTime 30.5\ntimelineFileName t.txt\n");
}
