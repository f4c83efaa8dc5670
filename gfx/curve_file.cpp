#include "gfx/curve_file.h"

#include <sstream>
#include <string>
#include <vector>

#include "pack/pack.h"

namespace {

constexpr size_t kValuesPerLine = 6;
constexpr size_t kMinimumPoints = 4;

// Stream extraction: leading blanks are skipped and text after a valid
// number is ignored.
bool readFloat(std::string_view text, float& value) {
  std::istringstream stream{std::string(text)};
  stream.imbue(std::locale::classic());
  return bool(stream >> value);
}

struct LineValues {
  float values[kValuesPerLine] = {};
  size_t count = 0;
};

LineValues readLineValues(std::string_view line) {
  LineValues result;
  while (result.count < kValuesPerLine) {
    const size_t comma = line.find(',');
    float value;
    if (readFloat(line.substr(0, comma), value)) result.values[result.count++] = value;
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  return result;
}

void applyLine(const LineValues& line, Curve& curve) {
  if (line.count >= 4) {
    curve.keys.push_back({line.values[1], line.values[2], 0});
    curve.points.push_back({line.values[3], line.values[4], line.values[5]});
  } else if (line.count == 1) {
    const int mode = truncToInt(line.values[0]);
    if (mode == 1) {
      curve.closed = true;
      curve.keyedX = false;
    } else if (mode == 2) {
      curve.closed = false;
      curve.keyedX = true;
    }
  }
}

}  // namespace

Curve parseCurve(std::span<const uint8_t> bytes) {
  Curve curve;
  std::string line;
  // The last line counts even without a final line feed.
  for (size_t i = 0; i <= bytes.size(); ++i) {
    if (i < bytes.size() && bytes[i] != '\n') {
      if (bytes[i] != '\r') line.push_back(char(bytes[i]));
      continue;
    }
    applyLine(readLineValues(line), curve);
    line.clear();
  }
  if (curve.points.size() < kMinimumPoints) {
    curve.points.clear();
    curve.keys.clear();
  }
  return curve;
}

Curve loadCurve(std::string_view name) {
  std::vector<uint8_t> bytes;
  loadFile(name, bytes);
  return parseCurve(bytes);
}
