// The timeline file: one effect instance per line, written as keys with
// values in any order: name = DEFINITION start = S end = E in = a,b
// params = 1,2.5 out = c. "//" ends a line's text and "/* ... */" removes
// text, also across lines. Lines without a name are ignored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TimelineEntry {
  std::string definitionName;
  float start = 0.0f;
  float end = 0.0f;
  std::vector<std::string> inputs;
  std::vector<float> params;
  std::vector<std::string> outputs;
  int line = 0;  // the line of the timeline file it came from, as an editor counts
};

// A line or statement keeps at most this many bytes.
inline constexpr size_t kMaxTimelineLineLength = 2047;
inline constexpr size_t kMaxDefinitionNameLength = 255;

// Removes the comments of one line; `inBlockComment` carries a "/*" that is
// still open over to the next line. The closing "*/" stays in the line.
std::string stripComments(std::string_view line, bool& inBlockComment);

// The entries of a timeline text in line order. A last line without its line
// end is not read.
std::vector<TimelineEntry> parseTimeline(std::string_view text);

// The key and body of an effect definition: the first line names the kind
// (code = KIND); everything after the first line feed is script.
struct DefinitionText {
  std::string kind;  // empty when the first line has no code key
  std::string_view body;
};
DefinitionText splitDefinition(std::string_view text);
