// The authoring tools as programs, on small shows made by the tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "framework/glyph_meshes.h"
#include "gfx/image_encode.h"
#include "gfx/mesh_lwo2.h"
#include "pack/pack_format.h"
#include "platform/message.h"
#include "support/process.h"
#include "support/temp_dir.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMIRA_ADDRESS_SANITIZER
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(VELMIRA_ADDRESS_SANITIZER)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

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

TEST(LintTool, ListsEffectsOrReportsEachErrorWithItsEditorPlace) {
  TempDir dir;
  writeLayerShow();
  ASSERT_EQ(run(VELMIRA_TOOL " lint >out.txt 2>err.txt"), 0) << readAll("err.txt");
  EXPECT_EQ(readAll("out.txt"), "0 layer layers.txt 0 10\n1 effects\n");
  EXPECT_EQ(readAll("err.txt"), "");
  writeFile("layers.txt", "code = layer\n// the layers\nint a = ;\n");
  writeFile("other.txt", "code = layer\nfloat b = c;\n");
  writeFile("timeline.txt", "name = layers.txt start = 0 end = 10\nname = other.txt start = 0 end = 10\n");
  EXPECT_EQ(run(VELMIRA_TOOL " lint --show . >out.txt 2>err.txt"), 1);
  const std::string err = readAll("err.txt");
  // The box text counts from the line after the header; the editor's place
  // counts the header as line 1.
  EXPECT_NE(err.find("layers.txt:3:9: Variable named  not found.\nERROR\nError on line 2, col9:"),
            std::string::npos)
      << err;
  // The box's column counts bytes of the statement from 0, the editor's from 1.
  EXPECT_NE(err.find("other.txt:2:12: Variable named c not found.\nERROR\nError on line 1, col11:"),
            std::string::npos)
      << err;
  EXPECT_NE(err.find("velmira-tool lint: 2 problems\n"), std::string::npos) << err;
  EXPECT_EQ(readAll("out.txt"), "0 effects\n");
}

// Text the language accepts but an author rarely means is a warning with its
// place; lint then ends with status 1 and counts the problems.
TEST(LintTool, WarnsAboutWhatAnAuthorRarelyMeans) {
  TempDir dir;
  writeLayerShow();
  const std::string layers = readAll("layers.txt");
  const long firstLine = std::count(layers.begin(), layers.end(), '\n') + 1;
  const auto at = [&](long line) { return "layers.txt:" + std::to_string(firstLine + line) + ":"; };
  const auto lint = [] { return run(VELMIRA_TOOL " lint --show . >out.txt 2>err.txt"); };
  const auto reported = [](const std::string& text) {
    return readAll("err.txt").find(text) != std::string::npos;
  };

  writeFile("layers.txt", layers + "float a = 0.35 +;\nfloat b = a 2;\nfloat sped = b;\n");
  EXPECT_EQ(lint(), 1);
  EXPECT_TRUE(reported(at(0) + "17: warning: an operator with no operand after it")) << readAll("err.txt");
  EXPECT_TRUE(reported(at(1) + "14: warning: two operands with no operator between them")) << readAll("err.txt");
  EXPECT_TRUE(reported(at(2) + " warning: 'sped' is never read by kind layer nor used in the definition"))
      << readAll("err.txt");
  EXPECT_FALSE(reported("'a' is never read")) << readAll("err.txt");  // the definition uses it
  EXPECT_TRUE(reported("velmira-tool lint: 3 problems\n")) << readAll("err.txt");

  writeFile("layers.txt", layers + "int n = \"abc\";\n");
  EXPECT_EQ(lint(), 1);
  EXPECT_TRUE(reported(at(0) + "10: warning: a string literal in a number expression")) << readAll("err.txt");
  EXPECT_TRUE(reported(at(0) + "13: Variable named abc not found.")) << readAll("err.txt");

  writeFile("layers.txt", layers);
  writeFile("timeline.txt", "name = layers.txt start = 0 end = 10\n// late\nname = layers.txt start = 130 end = 150\n");
  EXPECT_EQ(lint(), 1);
  EXPECT_TRUE(reported("timeline.txt:3: layers.txt runs from 130 to 150 s, outside the show (0 to 141 s)"))
      << readAll("err.txt");
  EXPECT_TRUE(reported("velmira-tool lint: 1 problem\n")) << readAll("err.txt");
}

// Broken files the engine would read without a word: lint loads each as the
// engine does and names it. Each row breaks one thing of a good show.
TEST(LintTool, NamesEveryFileTheEngineCannotUse) {
  TempDir dir;
  writeLayerShow();
  const std::string layers = readAll("layers.txt"), pack = readAll("datapack.dat");
  const std::string mp3 = readAll(VELMIRA_SHOW_DIR "/quarno/velmira.mp3");
  ASSERT_GT(mp3.size(), 100000u);
  const std::string withResources =
      layers + "texture j = textureLoad(\"p.jpg\");\nmesh m = \"m.lwo\";\n";
  std::string noise;
  for (int i = 0; i < 4000; ++i) noise.push_back(char((i * 7919) % 251 + 1));  // no NUL byte
  struct Row {
    const char* what;
    std::function<void()> breakShow;
    const char* stderrHas;
  };
  const Row rows[] = {
      {"empty PNG", [] { writeFile("checker.png", ""); }, "picture checker.png: the file is empty (asked for by layers.txt)"},
      {"empty JPEG", [&] { writeFile("layers.txt", withResources); writeFile("p.jpg", ""); writeFile("m.lwo", "FORM"); },
       "picture p.jpg: the file is empty (asked for by layers.txt)"},
      {"empty LWO", [&] { writeFile("layers.txt", withResources); writeFile("p.jpg", noise); writeFile("m.lwo", ""); },
       "mesh m.lwo: the file is empty (asked for by layers.txt)"},
      {"LWO of noise", [&] { writeFile("layers.txt", withResources); writeFile("p.jpg", noise); writeFile("m.lwo", noise); },
       "mesh m.lwo: not an LWO2 mesh (asked for by layers.txt)"},
      {"JPEG of noise", [&] { writeFile("layers.txt", withResources); writeFile("p.jpg", noise); writeFile("m.lwo", ""); },
       "picture p.jpg: Not a JPEG file"},
      {"empty timeline", [] { writeFile("timeline.txt", ""); }, "timeline.txt schedules no effect: the file is empty"},
      {"timeline of noise", [&] { writeFile("timeline.txt", noise + "\n"); },
       "timeline.txt schedules no effect: no line of it names a definition"},
      {"pack with a garbage tail", [&] { writeFile("datapack.dat", pack + noise); },
       "datapack.dat: damaged: entry"},
      {"garbage pack", [&] { writeFile("datapack.dat", std::string("junk\0\xff\xff\xff\x7f", 9) + noise); },
       "datapack.dat: damaged: entry 1 says it holds 2147483647 bytes, but the file ends after 4000"},
      {"music cut to 10 KB",
       [&] {
         writeFile("config.txt", "[config]\nresolution 640 360\nmusic 1\ndialog 0\n");
         writeFile("quarno/velmira.mp3", mp3.substr(0, 10240));
       },
       "./quarno/velmira.mp3: the music lasts 0."},
  };
  const std::string config = readAll("config.txt");
  for (const Row& row : rows) {
    writeFile("layers.txt", layers);
    writeFile("timeline.txt", "name = layers.txt start = 0 end = 10\n");
    writeCheckerPng("checker.png");
    writeFile("datapack.dat", pack);
    writeFile("config.txt", config);
    row.breakShow();
    EXPECT_EQ(run(VELMIRA_TOOL " lint --show . >out.txt 2>err.txt"), 1) << row.what << "\n" << readAll("err.txt");
    EXPECT_NE(readAll("err.txt").find(row.stderrHas), std::string::npos) << row.what << "\n" << readAll("err.txt");
  }
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
  ASSERT_DISPLAY();
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

TEST(RenderTool, AShowWithoutEffectsSaysWhy) {
  TempDir dir;
  writeLayerShow();
  writeFile("timeline.txt", "");
  EXPECT_EQ(run(VELMIRA_TOOL " render --show . --time 1 -o f.png 2>err.txt"), 1);
  EXPECT_NE(readAll("err.txt").find("velmira-tool render: timeline.txt schedules no effect: the file is empty\n"),
            std::string::npos)
      << readAll("err.txt");
  EXPECT_FALSE(std::filesystem::exists("f.png"));
}

// A file named on the command line is the file at that path, whatever show
// the command works on; only a name found nowhere else goes to the show.
TEST(EvalTool, ReadsTheNamedFileFromItsPath) {
  TempDir dir;
  writeFile("fx.txt", "code = layer\nfloat x = 7;\n");
  ASSERT_EQ(run(VELMIRA_TOOL " eval fx.txt >out.txt 2>err.txt"), 0) << readAll("err.txt");  // no show here
  EXPECT_NE(readAll("out.txt").find("x float 1 7\n"), std::string::npos) << readAll("out.txt");
  writeFile("show/fx.txt", "code = layer\nfloat x = 9;\n");
  writeFile("show/datapack.dat", "");
  ASSERT_EQ(run(VELMIRA_TOOL " eval --show show fx.txt >out.txt"), 0);
  EXPECT_NE(readAll("out.txt").find("x float 1 7\n"), std::string::npos) << readAll("out.txt");
  ASSERT_EQ(run("cd show && " VELMIRA_TOOL " eval fx.txt >../out.txt"), 0);
  EXPECT_NE(readAll("out.txt").find("x float 1 9\n"), std::string::npos) << readAll("out.txt");
  for (const char* place : {".", "show"}) {
    EXPECT_EQ(run(std::string("cd ") + place + " && " VELMIRA_TOOL " eval gone.txt >out.txt 2>err.txt"), 1)
        << place;
    EXPECT_EQ(readAll(std::string(place) + "/err.txt"),
              "velmira-tool eval: gone.txt: no such file, here or in the show\n")
        << place;
    EXPECT_EQ(readAll(std::string(place) + "/out.txt"), "") << place;
  }
}

// A folder that holds only a pack is a show folder.
TEST(CatTool, APackAloneMakesAShowFolder) {
  TempDir dir;
  FILE* pack = fopen("datapack.dat", "wb");
  writePackEntry(pack, "a.txt", {'a', 'b', 'c'});
  fclose(pack);
  EXPECT_EQ(run(VELMIRA_TOOL " cat --info a.txt >out.txt"), 0);
  EXPECT_EQ(readAll("out.txt"), "1 3 a.txt\n");
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
      {"skeleton nosuch", 2, "'nosuch' is no effect kind"},
      {"render --time 999 -o f.png", 2, "the time lies outside the show, which runs from 0 to 141 s"},
      {"render --from 100 --to 150 -o f%d.png", 2, "the range lies outside the show"},
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
  ASSERT_DISPLAY();
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

// Hostile but fair inputs to the tool: each row gives the command, the status
// it must end with, a part of its message, and the files that must be
// exactly as they were afterwards.
TEST(ToolHostileInputs, StatusMessageAndUntouchedFiles) {
  TempDir dir;
  writeLayerShow();
  writeFile("a.txt", "aaa");
  ASSERT_EQ(run(VELMIRA_TOOL " pack -o old.dat a.txt"), 0);
  writeFile("empty.lwo", std::string("FORM\0\0\0\x04LWO2", 12));
  std::filesystem::create_directory("folder");
  writeFile("folder/inside.txt", "mine");
  ASSERT_EQ(run("mkfifo fifo"), 0);
  std::filesystem::create_directory("real");
  writeFile("real/target.dat", "before");
  std::filesystem::create_symlink("real/target.dat", "link.dat");
  const std::vector<std::string> userFiles = {"old.dat", "a.txt", "folder/inside.txt",
                                              "real/target.dat"};
  struct Row {
    std::string command;
    int status;
    const char* message;
    const char* changed;  // the one user file the command may change, or ""
  };
  const std::string tool = "timeout 60 " VELMIRA_TOOL " ";
  const Row rows[] = {
      {tool + "cat --show . a.txt >/dev/full", 1, "cannot write the output", ""},
      {tool + "lint --show . >/dev/full", 1, "cannot write the output", ""},
      {tool + "config --show . >/dev/full", 1, "cannot write the output", ""},
      {tool + "pack --ls old.dat >/dev/full", 1, "cannot write the output", ""},
      {tool + "mesh empty.lwo >/dev/full", 1, "cannot write the output", ""},
      {tool + "skeleton layer >/dev/full", 1, "cannot write the output", ""},
      {tool + "pack --ls folder", 1, "folder is a folder, not a pack", ""},
      {tool + "pack --ls fifo", 1, "fifo is not a regular file, not a pack", ""},
      {tool + "pack -o folder a.txt", 1, "folder is a folder; only a regular file is replaced", ""},
      {tool + "pack -o fifo a.txt", 1, "fifo is a FIFO; only a regular file is replaced", ""},
      {tool + "pack -o new.dat --list fifo", 1, "the list fifo is not a regular file", ""},
      {tool + "pack -o new.dat fifo", 1, "cannot read fifo", ""},
      {tool + "pack -o old.dat gone.txt", 1, "old.dat was not written", ""},
      {tool + "pack -o link.dat a.txt", 0, "", "real/target.dat"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.command);
    std::map<std::string, std::string> before;
    for (const std::string& file : userFiles) before[file] = readAll(file);
    EXPECT_EQ(run(row.command + " 2>err.txt"), row.status);
    const std::string err = readAll("err.txt");
    if (*row.message) {
      EXPECT_NE(err.find(row.message), std::string::npos) << err;
    }
    for (const std::string& file : userFiles)
      if (file != row.changed) {
        EXPECT_EQ(readAll(file), before[file]) << file;
      }
  }
  EXPECT_TRUE(std::filesystem::is_symlink("link.dat"));  // written through, not replaced
  EXPECT_EQ(readAll("real/target.dat"), readAll("old.dat"));
  EXPECT_TRUE(std::filesystem::is_fifo("fifo"));
  for (const char* left : {"old.partial.dat", "folder.partial", "real/target.partial.dat"})
    EXPECT_FALSE(std::filesystem::exists(left)) << left;
}

// A show that names a FIFO or a folder as a data file: the file layer names
// it instead of waiting on it forever.
TEST(ToolHostileInputs, SpecialFilesNamedByTheShowAreRefused) {
  TempDir dir;
  writeLayerShow();
  ASSERT_EQ(run("mkfifo fifo"), 0);
  writeFile("demo.adt", "config = fifo\ntimeline = timeline.txt\n");
  EXPECT_EQ(run("timeout 60 " VELMIRA_TOOL " lint --show . >out.txt 2>err.txt"), 1);
  EXPECT_NE(readAll("err.txt").find("Error: datafile fifo is not a regular file."),
            std::string::npos) << readAll("err.txt");
  EXPECT_EQ(run("timeout 60 " VELMIRA_TOOL " cat --show . fifo >out.txt 2>err.txt"), 1);
  EXPECT_NE(readAll("err.txt").find("fifo is not a regular file"), std::string::npos)
      << readAll("err.txt");
}

// Counts far beyond any real show, in the tool's checks: held with a note, or
// a data error for what would exhaust the memory; never a crash or a hang.
TEST(ToolHostileInputs, AbsurdCountsAreNamedNotFatal) {
  TempDir dir;
  writeLayerShow();
  const std::string layers = readAll("layers.txt");
  writeFile("layers.txt", std::string(layers).replace(layers.find("int numLayers = 1;"), 18,
                                                      "int numLayers = 100000;"));
  EXPECT_EQ(run("timeout 120 " VELMIRA_TOOL " lint --show . >out.txt 2>err.txt"), 1);
  EXPECT_NE(readAll("err.txt").find("layers.txt: numLayers = 100000 is held to 256"),
            std::string::npos) << readAll("err.txt");
}

TEST(ToolHostileInputs, ARenderTooLargeForTheMemoryIsAClearError) {
  if (kAddressSanitizer)
    GTEST_SKIP() << "AddressSanitizer reserves its shadow memory past any address-space limit";
  TempDir dir;
  writeLayerShow();
  // Wherever the allocation fails: in the tool's own buffers (status 1) or
  // while an effect draws (a data error, status 255).
  const int status = run("ulimit -v 2000000; timeout 120 " VELMIRA_TOOL
                         " render --show . --size 8192x8192 --time 1 -o big.png 2>err.txt");
  EXPECT_TRUE(status == 1 || status == 255) << status;
  EXPECT_NE(readAll("err.txt").find("not enough memory to render frames of 8192x8192"),
            std::string::npos) << readAll("err.txt");
  EXPECT_FALSE(std::filesystem::exists("big.png"));
}

// A mesh cut short that several definitions name, with and without "./", is
// reported once, under one name.
TEST(ToolHostileInputs, ABrokenFileIsNotedOnceUnderOneName) {
  TempDir dir;
  writeFile("cut.lwo", std::string("FORM\0\0\0\x30LWO2PNTS\0\0\0\x24", 20) + std::string(12, '\0'));
  const int before = notesGiven();
  for (const char* name : {"cut.lwo", "./cut.lwo", "cut.lwo", "./cut.lwo", "cut.lwo"})
    EXPECT_EQ(loadMesh(name).vertexCount(), 1);
  EXPECT_EQ(notesGiven(), before + 1);
}
