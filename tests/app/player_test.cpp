// The player as a program: it ends by itself at the end of the show, and
// without a display it says so and fails.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/player.h"
#include "platform/window.h"

#include "support/process.h"
#include "support/temp_dir.h"

namespace {

void writeFixtureShow(const char* startTime, const char* extraConfig = "") {
  writeFile("demo.adt", "config = config.txt\ntimeline = timeline.txt\n");
  writeFile("config.txt", std::string("[config]\nresolution 640 360\nfullscreen 0\nmusic 0\n"
                                      "dialog 0\ndemoStartTime ") + startTime + "\n" + extraConfig);
  writeFile("timeline.txt", "");
  writeFile("datapack.dat", "");
}

}  // namespace

TEST(Player, EndsByItselfAfterTheShow) {
  if (!getenv("DISPLAY")) GTEST_SKIP() << "needs a display (run under xvfb-run)";
  TempDir dir;
  writeFixtureShow("140.9");
  EXPECT_EQ(run("timeout 20 " VELMIRA_PLAYER " --show . -window 2>/dev/null"), 0);
}

TEST(Player, EndsAtOnceAfterAHugeStartTime) {
  if (!getenv("DISPLAY")) GTEST_SKIP() << "needs a display (run under xvfb-run)";
  TempDir dir;
  writeFixtureShow("1e30");
  EXPECT_EQ(run("timeout 20 " VELMIRA_PLAYER " --show . -window 2>/dev/null"), 0);
}

// The setup dialog is asked for but cannot be shown: start-up goes on past it.
TEST(Player, FailsWithAMessageWithoutADisplay) {
  TempDir dir;
  writeFixtureShow("0", "dialog 1\n");
  EXPECT_EQ(run("env -u DISPLAY -u WAYLAND_DISPLAY -u VELMIRA_NO_DIALOGS XDG_RUNTIME_DIR=/nonexistent "
                "timeout 20 " VELMIRA_PLAYER
                " --show . 2>stderr.txt"),
            1);
  std::ifstream in("stderr.txt");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("ERROR\nFailed To Register The Window Class.\n"), std::string::npos) << text;
}

std::string fileText(const char* name) {
  std::ifstream in(name);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(Player, FolderWithoutAShowSaysSoOnceAndFails) {
  TempDir dir;
  EXPECT_EQ(run("timeout 20 " VELMIRA_PLAYER " --show . 2>stderr.txt"), 1);
  const std::string text = fileText("stderr.txt");
  EXPECT_EQ(text, "velmira: no show here: demo.adt is neither on the disk nor in datapack.dat\n");
}

// Ctrl-C and SIGTERM end the show through the shutdown that saves the comments.
TEST(Player, StopSignalsEndPromptlyAndSaveTheComments) {
  if (!getenv("DISPLAY")) GTEST_SKIP() << "needs a display (run under xvfb-run)";
  for (const char* signal : {"TERM", "INT"}) {
    TempDir dir;
    writeFixtureShow("0", "comments 1\n");
    writeFile("comments.txt", "1.000 kept\n");
    EXPECT_EQ(run(std::string("timeout -s ") + signal + " 3 " VELMIRA_PLAYER " --show . -window 2>/dev/null"),
              124);
    EXPECT_EQ(fileText("comments.txt"), "# comments saved with build-revision 1759\n1.000 kept\n")
        << signal;
  }
}

// The window's close button ends the player at once from inside the frame
// loop; the comments are saved on the way out. The close request is queued
// as soon as the event queue exists and taken in the first frame.
TEST(PlayerDeathTest, ClosingTheWindowSavesTheComments) {
  if (!getenv("DISPLAY")) GTEST_SKIP() << "needs a display (run under xvfb-run)";
  TempDir dir;
  writeFixtureShow("0", "comments 1\n");
  writeFile("comments.txt", "1.000 kept\n2.500 second\n");
  EXPECT_EXIT(
      {
        alarm(30);  // a lost close request fails the test instead of playing 141 s
        std::thread([] {
          while (!queueWindowClose()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }).detach();
        exit(playShow("-window", true) + 100);  // the frame loop's own ending is not the close
      },
      testing::ExitedWithCode(0), "");
  EXPECT_EQ(fileText("comments.txt"),
            "# comments saved with build-revision 1759\n1.000 kept\n2.500 second\n");
}

// A compile error ends the player with the box text, and stderr gives the
// editor's place first.
TEST(Player, CompileErrorNamesItsEditorPlace) {
  if (!getenv("DISPLAY")) GTEST_SKIP() << "needs a display (run under xvfb-run)";
  TempDir dir;
  writeFixtureShow("0");
  writeFile("timeline.txt", "name = fx.txt start = 0 end = 10\n");
  writeFile("fx.txt", "code = layer\nint numLayers;\n\n  float y = q;\n");
  EXPECT_EQ(run("timeout 20 " VELMIRA_PLAYER " --show . -window 2>stderr.txt"), 255);
  EXPECT_EQ(fileText("stderr.txt").rfind("fx.txt:4:14: Variable named q not found.\nERROR\n"
                                         "Error on line 3, col15:\n",
                                         0),
            0u)
      << fileText("stderr.txt");
}

TEST(Player, HelpAndVersion) {
  EXPECT_EQ(run(VELMIRA_PLAYER " --help >/dev/null"), 0);
  EXPECT_EQ(run(VELMIRA_PLAYER " --version >/dev/null"), 0);
  TempDir dir;
  EXPECT_EQ(run(VELMIRA_PLAYER " --bogus >out.txt 2>err.txt"), 2);
  std::ifstream err("err.txt");
  const std::string text((std::istreambuf_iterator<char>(err)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("unknown argument --bogus"), std::string::npos) << text;
  EXPECT_NE(text.find("usage: velmira"), std::string::npos) << text;
  EXPECT_EQ(std::filesystem::file_size("out.txt"), 0u);
}
