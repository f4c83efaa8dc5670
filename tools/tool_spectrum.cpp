// velmira-tool spectrum: prints the music spectrum the effects see at a show
// time, computed by the player's own music path.
#include <cstdio>
#include <string>
#include <vector>

#include "music/music.h"
#include "pack/pack.h"
#include "platform/audio_spectrum.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"

namespace {

const ToolOption kOptions[] = {{"--time", OptionValue::Number}};

std::string usage() {
  return "usage: velmira-tool spectrum FILE.mp3 --time T\n\n"
         "Decodes FILE.mp3 (looked up as the engine does: the disk first, then\n"
         "datapack.dat), puts the music at show time T seconds as the player does after a\n"
         "jump, and prints the " + std::to_string(kSpectrumBins) +
         " spectrum values there, one per line (%.6g).\n";
}

}  // namespace

int runToolSpectrum(int argc, char** argv) {
  const ToolArguments arguments = parseToolArguments(argc, argv, kOptions);
  const std::string text = usage();
  if (arguments.help) return printUsage(text.c_str());
  if (!arguments.error.empty()) return usageError("spectrum", arguments.error, text.c_str());
  if (arguments.operands.size() != 1 || !arguments.has("--time"))
    return usageError("spectrum", "give FILE.mp3 and --time T", text.c_str());
  const char* file = arguments.operands.front().c_str();
  const float time = float(arguments.number("--time", 0));
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
