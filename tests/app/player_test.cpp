// The player as a program: it ends by itself at the end of the show, and
// without a display it says so and fails.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "app/player.h"
#include "platform/stop_signals.h"
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
  ASSERT_DISPLAY();
  TempDir dir;
  writeFixtureShow("140.9");
  EXPECT_EQ(run("timeout 20 " VELMIRA_PLAYER " --show . -window 2>/dev/null"), 0);
}

TEST(Player, EndsAtOnceAfterAHugeStartTime) {
  ASSERT_DISPLAY();
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
  EXPECT_NE(text.find("velmira: the show window did not open: "), std::string::npos) << text;
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

// Ctrl-C and SIGTERM end the show through the ordinary shutdown; a session
// without edits leaves the comments file as it was.
TEST(Player, StopSignalsEndPromptlyAndLeaveUneditedCommentsAlone) {
  ASSERT_DISPLAY();
  for (const char* signal : {"TERM", "INT"}) {
    TempDir dir;
    writeFixtureShow("0", "comments 1\n");
    writeFile("comments.txt", "1.000 kept\n");
    EXPECT_EQ(run(std::string("timeout -s ") + signal + " 3 " VELMIRA_PLAYER " --show . -window 2>/dev/null"),
              124);
    EXPECT_EQ(fileText("comments.txt"), "1.000 kept\n") << signal;
  }
}

// Hostile comment files: the player runs (ended by timeout's SIGTERM, 124),
// says what it must, and leaves every one of them exactly as it was.
TEST(Player, HostileCommentFilesAreLeftAsTheyWere) {
  ASSERT_DISPLAY();
  const std::string handWritten = "# h\n131.0 a\n132.0 b \xff c\n133.0 d\nno blank\n" +
                                  std::string(2000, 'x') + " long\nunended";
  struct Row {
    const char* name;
    void (*make)(const std::string& text);
    const char* message;
  };
  const Row rows[] = {
      {"hand-written, with bytes the reader skips",
       [](const std::string& text) { writeFile("comments.txt", text); }, ""},
      {"a folder",
       [](const std::string& text) {
         std::filesystem::create_directory("comments.txt");
         writeFile("comments.txt/inside.txt", text);
       },
       "comments.txt cannot be read (it is a folder)"},
      {"a symbolic link",
       [](const std::string& text) {
         writeFile("real/notes.txt", text);
         std::filesystem::create_symlink("real/notes.txt", "comments.txt");
       },
       ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    writeFixtureShow("0", "comments 1\n");
    row.make(handWritten);
    const std::string kept = std::filesystem::is_directory("comments.txt")
                                 ? "comments.txt/inside.txt"
                                 : std::filesystem::is_symlink("comments.txt") ? "real/notes.txt"
                                                                               : "comments.txt";
    EXPECT_EQ(run("timeout 3 " VELMIRA_PLAYER " --show . -window 2>err.txt"), 124);
    EXPECT_EQ(fileText(kept.c_str()), handWritten);
    const std::string err = fileText("err.txt");
    if (*row.message) {
      EXPECT_NE(err.find(row.message), std::string::npos) << err;
    }
    EXPECT_FALSE(std::filesystem::exists("comments.txt.bak"));
  }
}

// A frame that takes many seconds (two hundred effects whose definitions loop
// nine million times each, but only once frames are drawn): the first SIGTERM
// waits for the frame to end, a second one ends the player at once.
TEST(Player, ASecondStopSignalEndsALongFrameAtOnce) {
  ASSERT_DISPLAY();
  TempDir dir;
  writeFixtureShow("0");
  std::string timeline;
  for (int i = 0; i < 200; ++i) timeline += "name = slow.txt start = 0 end = 100\n";
  writeFile("timeline.txt", timeline);
  ASSERT_EQ(run(VELMIRA_TOOL " skeleton layer >slow.txt"), 0);
  writeFile("slow.txt", fileText("slow.txt") +
                            "int i = 0;\nif (frame > 0) {\nwhile (i < 9000000) {\ni = i + 1;\n}\n}\n");
  // The first signal must come after start-up (which it would end at once):
  // a loaded machine gets a longer wait.
  writeFile("stop.sh",
            "#!/bin/sh\n" VELMIRA_PLAYER " --show . -window 2>/dev/null &\npid=$!\n"
            "sleep $1\nkill -TERM $pid\nsleep 0.5\n"
            "kill -0 $pid 2>/dev/null && echo 'still in the frame'\nkill -TERM $pid\n"
            "for i in 1 2 3 4 5 6 7 8 9 10; do kill -0 $pid 2>/dev/null || break; sleep 0.1; done\n"
            "if kill -0 $pid 2>/dev/null; then kill -KILL $pid; echo 'still running'; fi\n"
            "wait $pid\necho $?\n");
  std::string outcome;
  for (int wait : {5, 10, 20}) {
    ASSERT_EQ(run("sh stop.sh " + std::to_string(wait) + " >out.txt 2>/dev/null"), 0);
    outcome = fileText("out.txt");
    if (outcome != "143\n") break;  // the signal came in time to find a frame
  }
  EXPECT_EQ(outcome, "still in the frame\n143\n");
}

TEST(Player, EmptyMusicIsCalledEmpty) {
  ASSERT_DISPLAY();
  TempDir dir;
  writeFixtureShow("140.9", "music 1\n");
  writeFile("quarno/velmira.mp3", "");
  run("timeout 20 " VELMIRA_PLAYER " --show . -window 2>err.txt");
  EXPECT_NE(fileText("err.txt").find("velmira.mp3 is empty"), std::string::npos) << fileText("err.txt");
}

// The window's close button ends the player at once from inside the frame
// loop, through the shutdown that keeps the comments: with no edits in the
// session the file stays byte for byte as it was. The close request is queued
// as soon as the event queue exists and taken in the first frame.
TEST(PlayerDeathTest, ClosingTheWindowEndsThroughTheShutdownThatKeepsTheComments) {
  ASSERT_DISPLAY();
  TempDir dir;
  writeFixtureShow("0", "comments 1\n");
  const std::string handWritten = "# notes\n1.000 kept\n2.500 second\nunended";
  writeFile("comments.txt", handWritten);
  EXPECT_EXIT(
      {
        alarm(30);  // a lost close request fails the test instead of playing 141 s
        std::thread([] {
          while (!queueWindowClose()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }).detach();
        exit(playShow("-window", true) + 100);  // the frame loop's own ending is not the close
      },
      testing::ExitedWithCode(0), "");
  EXPECT_EQ(fileText("comments.txt"), handWritten);
  EXPECT_FALSE(std::filesystem::exists("comments.txt.bak"));
}

// A compile error ends the player with the box text, and stderr gives the
// editor's place first.
TEST(Player, CompileErrorNamesItsEditorPlace) {
  ASSERT_DISPLAY();
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

// What a second stop signal leaves behind: the last words given, written by
// the handler itself before the process ends with 128 + SIGTERM.
TEST(StopSignals, ASecondSignalWritesTheLastWordsAndEnds) {
  TempDir dir;
  const std::string path = (dir.path() / "comments.txt.unsaved").string();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    installStopSignals();
    watchStopSignals(true);
    setLastWords(path, "1.000 first\n");
    setLastWords(path, "1.000 first\n2.000 second\n");
    raise(SIGTERM);  // only raises the flag while watched
    if (!stopRequested()) _exit(1);
    raise(SIGTERM);
    _exit(2);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 128 + SIGTERM);
  EXPECT_EQ(fileText(path.c_str()), "1.000 first\n2.000 second\n");
}
