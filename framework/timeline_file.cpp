#include "framework/timeline_file.h"

#include <cstdio>

#include "pack/value_readers.h"

namespace {

std::vector<std::string> splitAtCommas(const std::string& value) {
  std::vector<std::string> items;
  if (value.empty()) return items;
  size_t start = 0;
  for (size_t comma; (comma = value.find(',', start)) != std::string::npos; start = comma + 1)
    items.push_back(value.substr(start, comma - start));
  items.push_back(value.substr(start));
  return items;
}

bool readFloat(const std::string& text, float& out) { return sscanf(text.c_str(), "%f", &out) == 1; }

TimelineEntry entryFromLine(std::string_view line, std::string name) {
  TimelineEntry entry;
  entry.definitionName = name.substr(0, kMaxDefinitionNameLength);
  const std::string start = readQuotedValue(line, "start");
  if (!start.empty() && !readFloat(start, entry.start)) entry.start = 0.0f;
  const std::string end = readQuotedValue(line, "end");
  if (!end.empty() && !readFloat(end, entry.end)) entry.end = 0.0f;
  entry.inputs = splitAtCommas(readQuotedValue(line, "in"));
  for (const std::string& item : splitAtCommas(readQuotedValue(line, "params"))) {
    float value;
    if (readFloat(item, value)) entry.params.push_back(value);
  }
  entry.outputs = splitAtCommas(readQuotedValue(line, "out"));
  return entry;
}

}  // namespace

std::string stripComments(std::string_view line, bool& inBlockComment) {
  std::string kept;
  for (size_t i = 0; i < line.size();) {
    const std::string_view rest = line.substr(i);
    if (inBlockComment) {
      if (rest.starts_with("*/")) {
        inBlockComment = false;
        kept += "*/";
        i += 2;
      } else {
        ++i;
      }
    } else if (rest.starts_with("//")) {
      break;
    } else if (rest.starts_with("/*")) {
      inBlockComment = true;
      i += 2;
    } else {
      kept.push_back(line[i++]);
    }
  }
  return kept;
}

std::vector<TimelineEntry> parseTimeline(std::string_view text) {
  std::vector<TimelineEntry> entries;
  bool inBlockComment = false;
  size_t start = 0;
  int lineNumber = 1;
  for (size_t end; (end = text.find_first_of("\n\r", start)) != std::string_view::npos;
       start = end + 1) {
    const std::string_view raw = text.substr(start, std::min(end - start, kMaxTimelineLineLength));
    const std::string line = stripComments(raw, inBlockComment);
    std::string name = readQuotedValue(line, "name");
    if (!name.empty()) {
      entries.push_back(entryFromLine(line, std::move(name)));
      entries.back().line = lineNumber;
    }
    if (text[end] == '\n') ++lineNumber;
  }
  return entries;
}

DefinitionText splitDefinition(std::string_view text) {
  const size_t lineEnd = text.find('\n');
  DefinitionText definition;
  definition.kind = readQuotedValue(text.substr(0, lineEnd), "code");
  if (lineEnd != std::string_view::npos) definition.body = text.substr(lineEnd + 1);
  return definition;
}
