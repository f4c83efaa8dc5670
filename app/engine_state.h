// The engine's process-wide state: output and render sizes, the switches from
// the configuration and the command line, and the show clock's results.
#pragma once

#include <string>
#include <vector>

// The show ends here, whatever its timeline holds.
inline constexpr float kShowLength = 140.0f;

struct EngineState {
  int width = 1024;
  int height = 768;
  int desktopWidth = 0;
  int desktopHeight = 0;
  float displayAspect = 1.0f;
  float screenAspect = 1.0f;
  bool musicEnabled = true;
  bool showDialog = true;
  bool showFps = true;
  bool fullscreen = false;
  bool rewindEnabled = false;
  bool makeFileList = false;
  bool commentsEnabled = false;
  float demoStartTime = 0.0f;
  int buildRevision = 1759;
  float currentTime = 0.0f;
  float frameTimeStep = 0.0f;
  float endTime = kShowLength;
  bool hasFocus = false;
  std::vector<float> seekMarks;
  std::string configFileName;
  std::string timelineFileName;
};

