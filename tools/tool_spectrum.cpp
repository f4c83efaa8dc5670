// velmira-tool spectrum: prints the music spectrum the effects see at a show
// time, computed by the player's own music path.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "music/music.h"
#include "pack/pack.h"
#include "platform/audio_spectrum.h"
#include "tools/tool_commands.h"

namespace {

void printHelp() {
  printf(
      "usage: velmira-tool spectrum FILE.mp3 --time T\n\n"
      "Decodes FILE.mp3 (looked up as the engine does: the disk first, then\n"
      "datapack.dat), puts the music at show time T seconds as the player does after a\n"
      "jump, and prints the %d spectrum values there, one per line (%%.6g).\n",
      kSpectrumBins);
}

bool parseTime(const char* text, float& time) {
  char* end = nullptr;
  time = strtof(text, &end);
  return end != text && *end == '\0' && std::isfinite(time);
}

}  // namespace

int runToolSpectrum(int argc, char** argv) {
  const char* file = nullptr;
  const char* timeText = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--help")) {
      printHelp();
      return 0;
    }
    if (!strcmp(argv[i], "--time") && i + 1 < argc)
      timeText = argv[++i];
    else if (!file && argv[i][0] != '-')
      file = argv[i];
    else {
      fprintf(stderr, "velmira-tool spectrum: unexpected argument '%s'\n", argv[i]);
      return 2;
    }
  }
  float time = 0.0f;
  if (!file || !timeText || !parseTime(timeText, time)) {
    fprintf(stderr, "usage: velmira-tool spectrum FILE.mp3 --time T\n");
    return 2;
  }
  std::vector<uint8_t> mp3;
  if (loadFile(file, mp3) == kLoadMissing || mp3.empty()) {
    fprintf(stderr, "velmira-tool spectrum: cannot read %s\n", file);
    return 1;
  }
  if (!startMusicFromData(std::move(mp3), MusicOutput::Offline)) return 1;
  repositionMusic(time);
  std::vector<float> values(kSpectrumBins);
  getSpectrum(values.data(), 0);
  stopMusic();
  for (float value : values) printf("%.6g\n", value);
  return 0;
}
