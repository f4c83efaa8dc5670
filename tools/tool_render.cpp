// velmira-tool render: renders frames of the show offline, deterministically.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/offline_show.h"
#include "gfx/image_encode.h"
#include "platform/clock.h"
#include "platform/terminal.h"
#include "tools/tool_commands.h"

namespace {

struct RenderOptions {
  std::string showDirectory = VELMIRA_DEFAULT_SHOW;
  int width = 1280, height = 720;
  double fps = 30.0;
  double from = 0.0, to = 0.0;
  bool single = false, ranged = false;
  std::string pattern;
};

void printHelp() {
  printf(
      "usage: velmira-tool render [--show DIR] [--size WxH] [--fps F]\n"
      "                           (--time T | --from A --to B) -o PATTERN\n\n"
      "Renders the show offline with a virtual clock: frame i shows time A + i/F, for\n"
      "every such time below B (or the single time T). Each presented, letterboxed\n"
      "frame of WxH (default 1280x720) is written as a PNG named by PATTERN, a printf\n"
      "pattern of the frame number such as out/frame%%05d.png. Rendering the same range\n"
      "twice gives identical files.\n");
}

bool parseOptions(int argc, char** argv, RenderOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const char* option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (!value) {
      fprintf(stderr, "velmira-tool render: %s needs a value\n", option);
      return false;
    }
    ++i;
    if (!strcmp(option, "--show")) options.showDirectory = value;
    else if (!strcmp(option, "--size")) {
      if (sscanf(value, "%dx%d", &options.width, &options.height) != 2 || options.width < 1 ||
          options.height < 1 || options.width > 8192 || options.height > 8192) {
        fprintf(stderr, "velmira-tool render: --size wants WxH, such as 1280x720\n");
        return false;
      }
    } else if (!strcmp(option, "--fps")) options.fps = atof(value);
    else if (!strcmp(option, "--time")) options.single = true, options.from = atof(value);
    else if (!strcmp(option, "--from")) options.ranged = true, options.from = atof(value);
    else if (!strcmp(option, "--to")) options.to = atof(value);
    else if (!strcmp(option, "-o")) options.pattern = value;
    else {
      fprintf(stderr, "velmira-tool render: unknown option %s\n", option);
      return false;
    }
  }
  if (options.pattern.empty() || options.single == options.ranged || !(options.fps > 0)) {
    fprintf(stderr, "velmira-tool render: give -o PATTERN, a positive --fps and either --time "
                    "or --from/--to (see --help)\n");
    return false;
  }
  return true;
}

std::string frameFileName(const std::filesystem::path& base, const std::string& pattern,
                          int frame) {
  char name[4096];
  snprintf(name, sizeof name, pattern.c_str(), frame);
  return (base / name).string();
}

bool writeFrame(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height) {
  const std::vector<uint8_t> png = encodePng(rgb.data(), width, height, 3);
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return !png.empty() && file.good();
}

void showProgress(int done, int total, uint32_t startedMs) {
  const double seconds = (clockMilliseconds() - startedMs) / 1000.0;
  const double rate = seconds > 0 ? done / seconds : 0.0;
  const int width = 30, filled = total ? done * width / total : width;
  fprintf(stderr, "\r[%.*s%*s] %d/%d  %.1f fps  %.0f s left ", filled,
          "##############################", width - filled, "", done, total, rate,
          rate > 0 ? (total - done) / rate : 0.0);
  if (done == total) fputc('\n', stderr);
}

}  // namespace

int runToolRender(int argc, char** argv) {
  if (argc < 2 || !strcmp(argv[1], "--help")) {
    printHelp();
    return argc < 2 ? 2 : 0;
  }
  RenderOptions options;
  if (!parseOptions(argc, argv, options)) return 2;
  // Output paths are taken relative to where the tool was started.
  const std::filesystem::path outputBase = std::filesystem::current_path();
  const int frames = options.single ? 1 : int(std::ceil((options.to - options.from) * options.fps));
  std::error_code error;
  std::filesystem::current_path(options.showDirectory, error);
  if (error) {
    fprintf(stderr, "velmira-tool render: cannot enter %s\n", options.showDirectory.c_str());
    return 1;
  }
  OfflineShow show;
  std::string reason;
  if (!openOfflineShow(show, options.width, options.height, reason) ||
      !loadOfflineShow(show, reason)) {
    fprintf(stderr, "velmira-tool render: cannot load the show: %s\n", reason.c_str());
    return 1;
  }
  const bool progress = stderrIsTerminal();
  const uint32_t startedMs = clockMilliseconds();
  std::vector<uint8_t> pixels;
  float previousTime = float(options.from);
  for (int frame = 0; frame < frames; ++frame) {
    const float time = float(options.from + frame / options.fps);
    renderOfflineFrame(show, time, time - previousTime, pixels);
    previousTime = time;
    const std::string path = frameFileName(outputBase, options.pattern, frame);
    if (!writeFrame(path, pixels, options.width, options.height)) {
      fprintf(stderr, "velmira-tool render: cannot write %s\n", path.c_str());
      return 1;
    }
    if (progress) showProgress(frame + 1, frames, startedMs);
  }
  return 0;
}
