#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sys/stat.h>

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

TEST(CommentFile, SaveReplacesTheFileWholeAndMissingFileReadsEmpty) {
  TempDir dir;
  const std::string path = (dir.path() / "comments.txt").string();
  EXPECT_TRUE(loadComments(path).empty());
  ASSERT_TRUE(saveComments({{"old", 1}}, 1759, path));
  ASSERT_TRUE(saveComments({{"new", 2}}, 1759, path));
  const std::vector<Comment> back = loadComments(path);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].text, "new");
  struct stat info;
  EXPECT_NE(stat((path + ".saving").c_str(), &info), 0);  // no temporary left behind
  // An unwritable place leaves the old file as it was.
  EXPECT_FALSE(saveComments({{"lost", 3}}, 1759, (dir.path() / "missing" / "comments.txt").string()));
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
