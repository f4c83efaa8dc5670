#include "app/configuration.h"

#include <gtest/gtest.h>

#include "pack/pack.h"
#include "support/temp_dir.h"

TEST(StartFile, NamesConfigurationAndTimelineWithComments) {
  EngineState engine;
  applyStartFile(engine, "config = cfg.txt\rtimeline = show.txt // comment\n");
  EXPECT_EQ(engine.configFileName, "cfg.txt");
  EXPECT_EQ(engine.timelineFileName, "show.txt");
}

TEST(StartFile, LaterLinesWinAndCommentsHideKeys) {
  EngineState engine;
  applyStartFile(engine, "timeline = a.txt\n// timeline = b.txt\ntimeline = c.txt config = d\n");
  EXPECT_EQ(engine.timelineFileName, "c.txt");
  EXPECT_EQ(engine.configFileName, "d");
}

TEST(StartFile, LastLineWithoutLineEndIsNotRead) {
  EngineState engine;
  applyStartFile(engine, "timeline = a.txt\ntimeline = b.txt");
  EXPECT_EQ(engine.timelineFileName, "a.txt");
}

TEST(Configuration, SwitchesAreSubstringsAndZeroWins) {
  EngineState engine;
  applyConfigurationFile(engine, "fps 0\nfps 10\nmusic 1 music 0\nrewind 1\ncomments 1\n");
  EXPECT_TRUE(engine.showFps);  // "fps 10" holds "fps 1"
  EXPECT_FALSE(engine.musicEnabled);
  EXPECT_TRUE(engine.rewindEnabled);
  EXPECT_TRUE(engine.commentsEnabled);
}

TEST(Configuration, HashLinesAndEffectSectionAreIgnored) {
  EngineState engine;
  applyConfigurationFile(engine,
                         "# fullscreen 1\n"
                         "[effect] #\n"
                         "resolution 800 600\n"
                         "[effect]\n"
                         "resolution 640 480\n"
                         "dialog 0\n"
                         "[config]\n"
                         "makefilelist 1\n");
  EXPECT_FALSE(engine.fullscreen);
  EXPECT_EQ(engine.width, 800);
  EXPECT_EQ(engine.height, 600);
  EXPECT_TRUE(engine.showDialog);
  EXPECT_TRUE(engine.makeFileList);
}

TEST(Configuration, KeysOfTheLineThatSwitchesSectionStillApply) {
  EngineState engine;
  applyConfigurationFile(engine, "fullscreen 1 [effect]\nfps 0\n");
  EXPECT_TRUE(engine.fullscreen);
  EXPECT_TRUE(engine.showFps);
}

TEST(Configuration, FirstListedResolutionWins) {
  EngineState engine;
  applyConfigurationFile(engine, "resolution 640 480 resolution 800 600\n");
  EXPECT_EQ(engine.width, 800);
  EXPECT_EQ(engine.height, 600);
  applyConfigurationFile(engine, "resolution 1280 720\nresolution 999 999\n");
  EXPECT_EQ(engine.width, 1280);
  EXPECT_EQ(engine.height, 720);
}

TEST(Configuration, StartTimeNeedsWordThenNumber) {
  EngineState engine;
  applyConfigurationFile(engine, "demoStartTime 42.5\n");
  EXPECT_FLOAT_EQ(engine.demoStartTime, 42.5f);
  applyConfigurationFile(engine, "demoStartTime = 12\ndemoStartTime x\n");
  EXPECT_FLOAT_EQ(engine.demoStartTime, 42.5f);
}

TEST(Configuration, CarriageReturnStaysInTheLine) {
  EngineState engine;
  applyConfigurationFile(engine, "fullscreen 1\r\n");
  EXPECT_TRUE(engine.fullscreen);
}

TEST(Configuration, LinesAreCutAt2047Bytes) {
  EngineState engine;
  applyConfigurationFile(engine, std::string(2045, ' ') + "fullscreen 1\n");
  EXPECT_FALSE(engine.fullscreen);
}

TEST(CommandLine, SubstringsOfTheWholeLine) {
  EngineState engine;
  engine.fullscreen = true;
  engine.showFps = false;
  applyCommandLine(engine, "x-windowy --x-fps");
  EXPECT_FALSE(engine.fullscreen);
  EXPECT_TRUE(engine.showFps);
}

TEST(ReadConfiguration, MissingStartFileKeepsDefaults) {
  TempDir dir;
  resetFileLayer();
  EngineState engine;
  testing::internal::CaptureStderr();
  readConfiguration(engine);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Error: datafile demo.adt not found.\n");
  EXPECT_EQ(engine.width, 1024);
  EXPECT_TRUE(engine.timelineFileName.empty());
  resetFileLayer();
}

TEST(ReadConfiguration, FilesComeFromThePack) {
  TempDir dir;
  resetFileLayer();
  std::string pack;
  for (auto [name, data] : {std::pair<std::string, std::string>{"show/demo.adt", "config = c.txt\n"},
                            {"show/c.txt", "resolution 640 480\n"}}) {
    pack += name + '\0';
    for (int i = 0; i < 4; ++i) pack.push_back(static_cast<char>(data.size() >> (8 * i)));
    pack += data;
  }
  writeFile(kPackFileName, pack);
  EngineState engine;
  readConfiguration(engine);
  EXPECT_EQ(engine.width, 640);
  resetFileLayer();
}
