#include "framework/timeline_file.h"

#include <gtest/gtest.h>

TEST(TimelineFile, KeysInAnyOrder) {
  const auto entries = parseTimeline("end = 12.5 name = fx.txt in = t1,t2 start = 10\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].definitionName, "fx.txt");
  EXPECT_FLOAT_EQ(entries[0].start, 10.0f);
  EXPECT_FLOAT_EQ(entries[0].end, 12.5f);
  EXPECT_EQ(entries[0].inputs, (std::vector<std::string>{"t1", "t2"}));
  EXPECT_TRUE(entries[0].outputs.empty());
}

TEST(TimelineFile, ParamsThatDoNotParseAreSkipped) {
  const auto entries = parseTimeline("name = a params = 1,2.5,x,4 out = a,b\r");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].params, (std::vector<float>{1.0f, 2.5f, 4.0f}));
  EXPECT_EQ(entries[0].outputs, (std::vector<std::string>{"a", "b"}));
}

TEST(TimelineFile, KeysAreFoundInsideOtherWords) {
  // "in" is first found inside "inside.txt"; the "=" after it is start's.
  const auto entries = parseTimeline("name = inside.txt start = 1\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].inputs, (std::vector<std::string>{"1"}));
}

TEST(TimelineFile, StartOrEndThatDoNotParseStayZero) {
  const auto entries = parseTimeline("name = a start = x end = 5\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].start, 0.0f);
  EXPECT_EQ(entries[0].end, 5.0f);
}

TEST(TimelineFile, CommentsAndLinesWithoutName) {
  const auto entries = parseTimeline(
      "// name = gone.txt\n"
      "start = 3\n"
      "name = one.txt /* name = two.txt\n"
      "name = three.txt */ name = four.txt\n"
      "name = five.txt // start = 9\n"
      "name = six.txt");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].definitionName, "one.txt");
  EXPECT_EQ(entries[1].definitionName, "four.txt");
  EXPECT_EQ(entries[2].definitionName, "five.txt");
  EXPECT_EQ(entries[2].start, 0.0f);
}

TEST(TimelineFile, ClosingCommentMarkStaysInTheLine) {
  bool inBlock = true;
  EXPECT_EQ(stripComments("abc */ def // x", inBlock), "*/ def ");
  EXPECT_FALSE(inBlock);
  EXPECT_EQ(stripComments("a /* b", inBlock), "a ");
  EXPECT_TRUE(inBlock);
}

TEST(TimelineFile, DefinitionSplitsAtFirstLineFeed) {
  const DefinitionText definition = splitDefinition("code = layer // kind\nint a = 1;\n");
  EXPECT_EQ(definition.kind, "layer");
  EXPECT_EQ(definition.body, "int a = 1;\n");
  EXPECT_EQ(splitDefinition("int a;\ncode = layer\n").kind, "");
  EXPECT_EQ(splitDefinition("code = layer").body, "");
}
