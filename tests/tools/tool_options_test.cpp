// The tools' shared command line: option tables, strict numbers, frame
// patterns and frame counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/frame_grid.h"
#include "tools/frame_pattern.h"
#include "tools/tool_options.h"

namespace {

const ToolOption kOptionTable[] = {
    {"--time", OptionValue::Number}, {"-o", OptionValue::Text}, {"--info", OptionValue::None}};

ToolArguments parse(std::vector<std::string> words) {
  words.insert(words.begin(), "command");
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  return parseToolArguments(int(argv.size()), argv.data(), kOptionTable);
}

}  // namespace

TEST(ToolOptions, ParsesOrNamesTheProblem) {
  struct Row {
    std::vector<std::string> words;
    std::string error;  // empty: accepted
    size_t operands;
  };
  const Row rows[] = {
      {{"--time", "2.5", "-o", "f%d.png", "a", "b"}, "", 2},
      {{"--time", "-1e3"}, "", 0},
      {{"--info", "x"}, "", 1},
      {{"-"}, "", 1},  // a lone dash is a name
      {{"--bogus"}, "unknown option --bogus", 0},
      {{"-o"}, "-o needs a value", 0},
      {{"--time", "abc"}, "--time wants a number, not 'abc'", 0},
      {{"--time", "5x"}, "--time wants a number, not '5x'", 0},
      {{"--time", ""}, "--time wants a number, not ''", 0},
      {{"--time", "nan"}, "--time wants a number, not 'nan'", 0},
      {{"--time", "1e999"}, "--time wants a number, not '1e999'", 0},
      {{"--time", " 5"}, "--time wants a number, not ' 5'", 0},
  };
  for (const Row& row : rows) {
    const ToolArguments arguments = parse(row.words);
    EXPECT_EQ(arguments.error, row.error) << row.words.front();
    if (row.error.empty()) {
      EXPECT_EQ(arguments.operands.size(), row.operands) << row.words.front();
    }
  }
  EXPECT_TRUE(parse({"x", "--help"}).help);
  EXPECT_DOUBLE_EQ(parse({"--time", "+2.5"}).number("--time", 0), 2.5);
  EXPECT_DOUBLE_EQ(parse({}).number("--time", 7), 7);
}

TEST(ToolOptions, NumberListsAreStrict) {
  std::vector<float> values;
  std::string error;
  EXPECT_TRUE(parseNumberList("0,6,2.5,-1", values, error));
  EXPECT_EQ(values, (std::vector<float>{0, 6, 2.5f, -1}));
  EXPECT_FALSE(parseNumberList("1,x,3", values, error));
  EXPECT_EQ(error, "'x' is not a number");
  EXPECT_FALSE(parseNumberList("1,,3", values, error));
}

TEST(FramePattern, OneIntegerConversionOrNoneForOneFrame) {
  for (const char* bad : {"out/%s%s%s%s.png", "out/%n.png", "out/%s.png", "f%d%d.png",
                          "f%123d.png", "f%.png", "f%", "f%ld.png", "f%x.png"})
    EXPECT_NE(framePatternProblem(bad, false), "") << bad;
  for (const char* good : {"f%d.png", "out/f%05d.png", "100%%_%i.png", "f%-3d.png"})
    EXPECT_EQ(framePatternProblem(good, false), "") << good;
  EXPECT_NE(framePatternProblem("still.png", false), "");  // every frame would overwrite it
  EXPECT_EQ(framePatternProblem("still.png", true), "");
  EXPECT_EQ(frameName("out/f%05d.png", 42), "out/f00042.png");
  EXPECT_EQ(frameName("100%%_%d.png", 3), "100%_3.png");
}

namespace {

// The frames of the show's grid in [from, to).
long gridFramesIn(double from, double to, double fps) {
  return firstGridFrameAt(to, fps) - firstGridFrameAt(from, fps);
}

}  // namespace

TEST(FrameGrid, CountsEveryFrameTimeBelowTheEnd) {
  EXPECT_EQ(gridFramesIn(1.0, 1.05, 20.0), 1);  // 21/20 is not below 1.05
  EXPECT_EQ(gridFramesIn(1.0, 1.5, 4.0), 2);
  EXPECT_EQ(gridFramesIn(0.0, 1.0, 30.0), 30);
  EXPECT_EQ(gridFramesIn(30.0, 32.0, 29.97), 60);
  EXPECT_EQ(firstGridFrameAt(1e300, 1e300), -1);
}
