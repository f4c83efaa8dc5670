#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "app/comment_editor.h"
#include "app/comment_file.h"
#include "platform/keys.h"
#include "support/temp_dir.h"

namespace {

TEST(CommentFile, SavedLinesAndHeaderReadBack) {
  const std::vector<Comment> comments{{"hello", 3.5f}, {"two words", 12.25f}};
  const std::string text = formatComments(comments, 1759);
  EXPECT_EQ(text, "# comments saved with build-revision 1759\n3.500 hello\n12.250 two words\n");
  const std::vector<Comment> back = parseComments(text);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1].text, "two words");
  EXPECT_FLOAT_EQ(back[1].time, 12.25f);
}

TEST(CommentFile, BadTimesLastLinesAndLimits) {
  const std::vector<Comment> comments =
      parseComments("#x 1.0 skipped\nabc first\n2.5 second\nabc? third\r\n4 unended");
  ASSERT_EQ(comments.size(), 3u);
  EXPECT_FLOAT_EQ(comments[0].time, 0.0f);  // no time before the first: 0
  EXPECT_FLOAT_EQ(comments[2].time, 2.5f);  // keeps the time before
  EXPECT_EQ(comments[2].text, "third");
  EXPECT_EQ(parseComments("1 a\xff" "b\n").size(), 0u);  // 0xFF ends reading
  const std::vector<Comment> longOne = parseComments("1 " + std::string(5000, 'x') + "\n");
  ASSERT_EQ(longOne.size(), 1u);
  EXPECT_EQ(longOne[0].text.size(), kCommentTextLimit);
}

std::string fileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

bool exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

TEST(CommentFile, SaveReplacesTheFileWholeAndMissingFileReadsEmpty) {
  TempDir dir;
  const std::string path = (dir.path() / "comments.txt").string();
  const CommentFile none = loadComments(path);
  EXPECT_TRUE(none.comments.empty());
  EXPECT_TRUE(none.unreadable.empty());
  ASSERT_TRUE(saveComments(none, {{"old", 1}}, 1759).ok);
  const CommentFile first = loadComments(path);
  const CommentSave second = saveComments(first, {{"new", 2}}, 1759);
  ASSERT_TRUE(second.ok);
  EXPECT_EQ(second.message, "");  // a file the player wrote needs no copy
  const std::vector<Comment> back = loadComments(path).comments;
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].text, "new");
  EXPECT_FALSE(exists(path + ".bak"));
  EXPECT_FALSE(exists((dir.path() / "comments.partial.txt").string()));  // no temporary left
}

// The hostile files of a session: what the file holds before, what the
// session did, and what must be on the disk after.
TEST(CommentFile, NothingTheUserWroteIsLost) {
  const std::string handWritten = "# h\n131.0 a\n132.0 b \xff c\n133.0 d\n";
  struct Case {
    const char* name;
    std::string before;
    bool edited;
    bool ok;
    const char* messagePart;  // empty: no message
    bool backup;              // the old bytes kept as comments.txt.bak
  };
  const Case cases[] = {
      {"no edits leave a hand-written file untouched", handWritten, false, true, "", false},
      {"no edits leave a long line untouched", "1.000 " + std::string(2000, 'x') + "\n", false,
       true, "", false},
      {"edits keep what was not understood as .bak", handWritten, true, true,
       "kept as", true},
      {"edits keep a last line without a line feed", "1.000 a\n2.000 unended", true, true,
       "kept as", true},
      {"edits keep a line without a blank", "1.000 a\nnoblank\n", true, true, "kept as", true},
      {"edits of a file the player wrote need no copy",
       "# comments saved with build-revision 1758\n1.000 a\n", true, true, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path = (dir.path() / "comments.txt").string();
    writeText(path, c.before);
    const CommentFile file = loadComments(path);
    std::vector<Comment> comments = file.comments;
    if (c.edited) comments.push_back({"added", 140});
    const CommentSave save = saveComments(file, comments, 1759);
    EXPECT_EQ(save.ok, c.ok);
    if (*c.messagePart) {
      EXPECT_NE(save.message.find(c.messagePart), std::string::npos) << save.message;
    } else {
      EXPECT_EQ(save.message, "");
    }
    EXPECT_EQ(exists(path + ".bak"), c.backup);
    if (c.backup) {
      EXPECT_EQ(fileText(path + ".bak"), c.before);
    }
    if (!c.edited) {
      EXPECT_EQ(fileText(path), c.before);
    }
    if (c.edited) {
      EXPECT_NE(fileText(path).find("140.000 added\n"), std::string::npos);
    }
  }
}

TEST(CommentFile, AnEarlierBackupIsNotReplaced) {
  TempDir dir;
  const std::string path = (dir.path() / "comments.txt").string();
  writeText(path + ".bak", "older\n");
  writeText(path, "1 a\n");
  const CommentFile file = loadComments(path);
  ASSERT_TRUE(saveComments(file, {{"b", 2}}, 1759).ok);
  EXPECT_EQ(fileText(path + ".bak"), "older\n");
  EXPECT_EQ(fileText(path + ".bak2"), "1 a\n");
}

TEST(CommentFile, AFileChangedOnTheDiskMeanwhileIsKept) {
  TempDir dir;
  const std::string path = (dir.path() / "comments.txt").string();
  ASSERT_TRUE(saveComments(loadComments(path), {{"a", 1}}, 1759).ok);
  const CommentFile file = loadComments(path);
  const std::string edited = fileText(path) + "2.000 typed in an editor\n";
  writeText(path, edited);
  ASSERT_TRUE(saveComments(file, {{"a", 1}, {"b", 3}}, 1759).ok);
  EXPECT_EQ(fileText(path + ".bak"), edited);
}

TEST(CommentFile, FailedSavesSaySoAndKeepTheComments) {
  TempDir dir;
  // A folder where the file should be.
  const std::string folder = (dir.path() / "folder.txt").string();
  std::filesystem::create_directory(folder);
  const CommentFile asFolder = loadComments(folder);
  EXPECT_NE(asFolder.unreadable.find("is a folder"), std::string::npos);
  CommentSave save = saveComments(asFolder, {{"kept", 5}}, 1759);
  EXPECT_FALSE(save.ok);
  EXPECT_NE(save.message.find("5.000 kept\n"), std::string::npos);  // the comment is not lost
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  // No edits: nothing to save and nothing to say.
  EXPECT_TRUE(saveComments(asFolder, {}, 1759).ok);
  // A folder that does not exist.
  save = saveComments(loadComments((dir.path() / "missing" / "c.txt").string()), {{"x", 1}}, 1759);
  EXPECT_FALSE(save.ok);
  EXPECT_NE(save.message.find("were not saved"), std::string::npos);
}

TEST(CommentFile, AnUnreadableFileIsNeverOverwritten) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  TempDir dir;
  const std::string path = (dir.path() / "comments.txt").string();
  writeText(path, "1.000 private\n");
  chmod(path.c_str(), 0);
  const CommentFile file = loadComments(path);
  EXPECT_NE(file.unreadable.find("cannot be read"), std::string::npos);
  const CommentSave save = saveComments(file, {{"new", 2}}, 1759);
  EXPECT_FALSE(save.ok);
  EXPECT_NE(save.message.find("not overwritten"), std::string::npos);
  chmod(path.c_str(), 0600);
  EXPECT_EQ(fileText(path), "1.000 private\n");
}

TEST(CommentFile, ASymbolicLinkIsWrittenThrough) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "real");
  const std::string target = (dir.path() / "real" / "notes.txt").string();
  const std::string link = (dir.path() / "comments.txt").string();
  writeText(target, "1.000 a\n");
  std::filesystem::create_symlink(target, link);
  ASSERT_TRUE(saveComments(loadComments(link), {{"a", 1}, {"b", 2}}, 1759).ok);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(fileText(target), "# comments saved with build-revision 1759\n1.000 a\n2.000 b\n");
}

CommentFrame frameAt(float time, uint32_t ms, std::initializer_list<int> down = {}, bool paused = true) {
  CommentFrame frame;
  frame.currentTime = time;
  frame.elapsedMs = ms;
  frame.paused = paused;
  for (int key : down) frame.keys.set(size_t(key));
  return frame;
}

TEST(CommentOverlay, VisibleFromItsTimeFor2SecondsPlus50MsACharacter) {
  const Comment five{"abcde", 10.0f};
  EXPECT_FALSE(commentVisible(five, 9.999f));
  EXPECT_TRUE(commentVisible(five, 10.0f));
  EXPECT_TRUE(commentVisible(five, 12.249f));
  EXPECT_FALSE(commentVisible(five, 12.25f));
}

TEST(CommentOverlay, LinesColoursAndBlinkingCursor) {
  std::vector<Comment> comments{{"a", 1}, {"hidden", 50}, {"b", 1.5f}};
  CommentEditor editor;
  std::vector<OverlayLine> lines = updateCommentOverlay(editor, comments, frameAt(2, 0, {}, false));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].text, "1: b");
  EXPECT_TRUE(lines[1].highlighted);  // all white while running
  lines = updateCommentOverlay(editor, comments, frameAt(2, 0));
  EXPECT_TRUE(lines[0].highlighted);
  EXPECT_FALSE(lines[1].highlighted);  // grey while paused
  updateCommentOverlay(editor, comments, frameAt(2, 10, {VK_RETURN}));
  EXPECT_TRUE(editor.editing);
  EXPECT_EQ(updateCommentOverlay(editor, comments, frameAt(2, 1200))[0].text, "0: a|");
  EXPECT_EQ(updateCommentOverlay(editor, comments, frameAt(2, 1700))[0].text, "0: a");
}

TEST(CommentOverlay, ShiftTabAddsAnEmptyCommentSelectedAtTheEnd) {
  std::vector<Comment> comments{{"first", 19}};
  CommentEditor editor;
  updateCommentOverlay(editor, comments, frameAt(20, 0, {VK_LSHIFT, VK_TAB}));
  ASSERT_EQ(comments.size(), 2u);
  EXPECT_EQ(comments[1].text, "");
  EXPECT_FLOAT_EQ(comments[1].time, 20.0f);
  const std::vector<OverlayLine> lines = updateCommentOverlay(editor, comments, frameAt(20, 20));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[1].highlighted);
  // Tab wraps round to the first comment.
  updateCommentOverlay(editor, comments, frameAt(20, 40, {VK_TAB}));
  EXPECT_EQ(editor.selected, 0);
}

TEST(CommentOverlay, DeleteRemovesOneSelectedCommentPerPress) {
  std::vector<Comment> comments{{"a", 1}, {"b", 1}, {"c", 1}};
  CommentEditor editor;
  editor.selected = 1;
  std::vector<OverlayLine> lines = updateCommentOverlay(editor, comments, frameAt(1, 0, {VK_DELETE}));
  ASSERT_EQ(comments.size(), 2u);
  EXPECT_EQ(comments[1].text, "c");
  EXPECT_EQ(lines[1].text, "1: c");  // the next one takes the same index
  updateCommentOverlay(editor, comments, frameAt(1, 20, {VK_DELETE}));  // still held
  EXPECT_EQ(comments.size(), 2u);
  updateCommentOverlay(editor, comments, frameAt(1, 40, {VK_DELETE}, false));
  updateCommentOverlay(editor, comments, frameAt(1, 60, {}, false));
  updateCommentOverlay(editor, comments, frameAt(1, 80, {VK_DELETE}, false));
  EXPECT_EQ(comments.size(), 2u);  // only while paused
}

TEST(CommentEditing, HeldKeyTypesAtOnceAfter400MsAndEvery50Ms) {
  std::vector<Comment> comments{{"", 0}};
  CommentEditor editor;
  editor.editing = true;
  for (uint32_t ms = 0; ms <= 1000; ms += 10) updateCommentOverlay(editor, comments, frameAt(0, ms, {'A'}));
  // At 0 ms; the 400 ms delay runs out at 410 ms and the character comes on
  // the next frame (420 ms); then every 60 ms (50 ms and the frame after):
  // 480, 540, ... 960.
  EXPECT_EQ(comments[0].text, std::string(11, 'a'));
}

TEST(CommentEditing, ShiftTableBackspaceAndLimit) {
  std::vector<Comment> comments{{"", 0}};
  CommentEditor editor;
  editor.editing = true;
  uint32_t ms = 0;
  auto press = [&](std::initializer_list<int> keys) {
    updateCommentOverlay(editor, comments, frameAt(0, ms += 10, keys));
    updateCommentOverlay(editor, comments, frameAt(0, ms += 10));
  };
  press({VK_LSHIFT, 'H'});
  press({'1'});
  press({VK_RSHIFT, '1'});
  press({192});
  press({VK_SHIFT, 222});
  EXPECT_EQ(comments[0].text, "H1!\xf6\xc4");
  press({VK_BACK});
  EXPECT_EQ(comments[0].text, "H1!\xf6");
  comments[0].text.clear();
  press({VK_BACK});  // nothing to remove
  EXPECT_EQ(comments[0].text, "");
  comments[0].text.assign(kCommentTextLimit, 'x');
  press({'Y'});
  EXPECT_EQ(comments[0].text.size(), kCommentTextLimit);
}

TEST(CommentEditing, KeyTable) {
  EXPECT_EQ(characterOfKey('0', true), '=');
  EXPECT_EQ(characterOfKey('4', true), 164);
  EXPECT_EQ(characterOfKey('7', true), '/');
  EXPECT_EQ(characterOfKey('9', true), ')');
  EXPECT_EQ(characterOfKey(187, false), '+');
  EXPECT_EQ(characterOfKey(187, true), '?');
  EXPECT_EQ(characterOfKey(191, true), 191);
  EXPECT_EQ(characterOfKey(VK_SPACE, true), ' ');
}

}  // namespace
