#include "pack/value_readers.h"

namespace {

// Where the value after `key` and its "=" starts, or npos.
size_t valueStart(std::string_view line, std::string_view key) {
  const size_t keyAt = line.find(key);
  if (keyAt == std::string_view::npos) return std::string_view::npos;
  size_t at = line.find('=', keyAt);
  if (at == std::string_view::npos) return at;
  for (++at; at < line.size() && (line[at] == ' ' || line[at] == '\n');) ++at;
  return at;
}

}  // namespace

std::string readPlainValue(std::string_view line, std::string_view key) {
  std::string value;
  size_t at = valueStart(line, key);
  if (at == std::string_view::npos) return value;
  for (; at < line.size() && value.size() < kMaxValueLength; ++at) {
    const char c = line[at];
    if (c == ' ' || c == '\n' || c == ']' || c == '\0') break;
    if (c != '"') value.push_back(c);
  }
  return value;
}

std::string readQuotedValue(std::string_view line, std::string_view key) {
  const size_t at = valueStart(line, key);
  if (at == std::string_view::npos) return {};
  return readQuotedValueAt(line, at, kMaxValueLength);
}

std::string readQuotedValueAt(std::string_view line, size_t at, size_t maxLength) {
  std::string value;
  bool quoted = false;
  for (; at < line.size() && value.size() < maxLength; ++at) {
    const char c = line[at];
    if (c == '\n' || c == '\r' || c == ']' || c == '\0') break;
    if (c == '"') {
      if (quoted) break;
      quoted = true;
    } else if (c == ' ') {
      if (!quoted) break;
    } else {
      value.push_back(c);
    }
  }
  return value;
}
