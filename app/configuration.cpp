#include "app/configuration.h"

#include <cstdio>
#include <string>

#include "pack/pack.h"
#include "pack/value_readers.h"

namespace {

constexpr size_t kMaxConfigNameLength = 255;
constexpr size_t kMaxTimelineNameLength = 511;
constexpr size_t kMaxConfigLineLength = 2047;

struct Resolution {
  const char* text;
  int width, height;
};

constexpr Resolution kResolutions[] = {
    {"resolution 1024 768", 1024, 768},   {"resolution 800 600", 800, 600},
    {"resolution 1280 1024", 1280, 1024}, {"resolution 640 480", 640, 480},
    {"resolution 512 384", 512, 384},     {"resolution 800 450", 800, 450},
    {"resolution 1024 576", 1024, 576},   {"resolution 1280 720", 1280, 720},
    {"resolution 640 360", 640, 360},     {"resolution 1680 1050", 1680, 1050},
    {"resolution 1920 1080", 1920, 1080}, {"resolution 1440 900", 1440, 900},
    {"resolution 800 500", 800, 500},     {"resolution 640 400", 640, 400},
};

struct Switch {
  const char* off;
  const char* on;
  bool EngineState::*field;
};

constexpr Switch kSwitches[] = {
    {"fullscreen 0", "fullscreen 1", &EngineState::fullscreen},
    {"fps 0", "fps 1", &EngineState::showFps},
    {"makefilelist 0", "makefilelist 1", &EngineState::makeFileList},
    {"music 0", "music 1", &EngineState::musicEnabled},
    {"dialog 0", "dialog 1", &EngineState::showDialog},
    {"comments 0", "comments 1", &EngineState::commentsEnabled},
    {"rewind 0", "rewind 1", &EngineState::rewindEnabled},
};

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Calls `apply` for every line that ends in one of `ends`; a last line
// without its line end is not processed.
template <typename Apply>
void forEachLine(std::string_view text, std::string_view ends, Apply apply) {
  size_t start = 0;
  for (size_t end; (end = text.find_first_of(ends, start)) != std::string_view::npos;
       start = end + 1)
    apply(text.substr(start, end - start));
}

void applyStartLine(EngineState& engine, std::string_view line) {
  line = line.substr(0, line.find("//"));
  const std::string config = readPlainValue(line, "config");
  if (!config.empty()) engine.configFileName = config.substr(0, kMaxConfigNameLength);
  const std::string timeline = readPlainValue(line, "timeline");
  if (!timeline.empty()) engine.timelineFileName = timeline.substr(0, kMaxTimelineNameLength);
}

void applyStartTime(EngineState& engine, std::string_view line) {
  const std::string text(line);
  char word[2048];
  float seconds;
  if (sscanf(text.c_str(), "%2047s %f", word, &seconds) == 2) engine.demoStartTime = seconds;
}

void applyConfigKeys(EngineState& engine, std::string_view line) {
  for (const Resolution& resolution : kResolutions) {
    if (!contains(line, resolution.text)) continue;
    engine.width = resolution.width;
    engine.height = resolution.height;
    break;
  }
  for (const Switch& entry : kSwitches) {
    if (contains(line, entry.off))
      engine.*entry.field = false;
    else if (contains(line, entry.on))
      engine.*entry.field = true;
  }
  if (contains(line, "demoStartTime")) applyStartTime(engine, line);
}

}  // namespace

void applyStartFile(EngineState& engine, std::string_view text) {
  forEachLine(text, "\n\r", [&](std::string_view line) { applyStartLine(engine, line); });
}

void applyConfigurationFile(EngineState& engine, std::string_view text) {
  bool inConfigSection = true;
  forEachLine(text, "\n", [&](std::string_view line) {
    line = line.substr(0, kMaxConfigLineLength);
    if (contains(line, "#")) return;
    if (inConfigSection) applyConfigKeys(engine, line);
    if (contains(line, "[effect]"))
      inConfigSection = false;
    else if (contains(line, "[config]"))
      inConfigSection = true;
  });
}

void readConfiguration(EngineState& engine) {
  std::vector<uint8_t> bytes;
  if (loadFile("demo.adt", bytes) != kLoadMissing)
    applyStartFile(engine, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  // No configuration named: nothing to ask the file layer for.
  if (engine.configFileName.empty()) return;
  if (loadFile(engine.configFileName, bytes) != kLoadMissing)
    applyConfigurationFile(engine, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

void applyCommandLine(EngineState& engine, std::string_view commandLine) {
  if (contains(commandLine, "-window")) engine.fullscreen = false;
  if (contains(commandLine, "-fps")) engine.showFps = true;
}
