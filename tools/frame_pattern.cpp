#include "tools/frame_pattern.h"

#include <cctype>
#include <cstdio>

namespace {

constexpr size_t kMaxNameLength = 4095;

// Reads one conversion after its '%': flags, a width of at most two digits,
// then d or i. Returns the position after it, or npos when it is no such
// conversion.
size_t integerConversionEnd(const std::string& pattern, size_t at) {
  while (at < pattern.size() && std::string_view("-+ 0").find(pattern[at]) != std::string_view::npos)
    ++at;
  for (int digits = 0; at < pattern.size() && std::isdigit(uint8_t(pattern[at])); ++digits, ++at)
    if (digits == 2) return std::string::npos;
  if (at < pattern.size() && (pattern[at] == 'd' || pattern[at] == 'i')) return at + 1;
  return std::string::npos;
}

}  // namespace

std::string framePatternProblem(const std::string& pattern, bool singleFrame) {
  if (pattern.size() > kMaxNameLength) return "the pattern is too long";
  int conversions = 0;
  for (size_t at = 0; at < pattern.size(); ++at) {
    if (pattern[at] != '%') continue;
    if (at + 1 < pattern.size() && pattern[at + 1] == '%') {
      ++at;
      continue;
    }
    const size_t end = integerConversionEnd(pattern, at + 1);
    if (end == std::string::npos)
      return "'" + pattern.substr(at, 4) + "' is not a frame number conversion (use %d or %05d)";
    ++conversions;
    at = end - 1;
  }
  if (conversions > 1) return "the pattern may hold only one frame number conversion";
  if (conversions == 0 && !singleFrame)
    return "the pattern needs a frame number conversion such as %05d, or every frame would "
           "overwrite the same file";
  return "";
}

std::string frameName(const std::string& pattern, int frame) {
  std::string name(kMaxNameLength + 128, '\0');
  // Safe only because the pattern was checked to hold at most one integer
  // conversion.
  const int length = snprintf(name.data(), name.size(), pattern.c_str(), frame);
  name.resize(length < 0 ? 0 : std::min<size_t>(size_t(length), name.size() - 1));
  return name;
}

double frameTime(double from, double fps, long frame) { return from + double(frame) / fps; }
