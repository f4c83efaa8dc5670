// The built show rendered offline at 1280x720 (render size 1024x512) on this
// machine's GL, frame after frame through the whole show as a video would be
// made: the time from loading to the first frame (the hidden window
// excluded, the music decoding on its own thread meanwhile), frames per
// second of every storyboard section and of the whole show, and the peak
// memory of the process.
//   bench_show [SHOW_DIR] [--fps F] [--until SECONDS]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/offline_show.h"
#include "app/show_loading.h"
#include "music/music.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Section {
  const char* name;
  float start, end;
};

const Section kSections[] = {
    {"intro", 0, 16},         {"build", 16, 32},  {"groove", 32, 48},
    {"groove II", 48, 64},    {"break", 64, 80},  {"main", 80, 96},
    {"main II", 96, 112},     {"second break", 112, 120},
    {"finale", 120, 136},     {"fade", 136, kShowLength},
};

struct BenchOptions {
  const char* showDir = VELMIRA_DEFAULT_SHOW;
  double fps = 30.0;
  double until = kShowLength;
};

bool parseOptions(int argc, char** argv, BenchOptions& options) {
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--fps") && i + 1 < argc) {
      options.fps = atof(argv[++i]);
    } else if (!strcmp(argv[i], "--until") && i + 1 < argc) {
      options.until = atof(argv[++i]);
    } else if (argv[i][0] != '-') {
      options.showDir = argv[i];
    } else {
      return false;
    }
  }
  return options.fps > 0 && options.until > 0;
}

long peakMemoryKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  BenchOptions options;
  if (!parseOptions(argc, argv, options)) {
    fprintf(stderr, "usage: bench_show [SHOW_DIR] [--fps F] [--until SECONDS]\n");
    return 2;
  }
  std::filesystem::current_path(options.showDir);
  OfflineShow show;
  std::string error;
  if (!openOfflineShow(show, 1280, 720, error)) {
    fprintf(stderr, "bench_show: %s\n", error.c_str());
    return 1;
  }
  std::vector<uint8_t> pixels;
  const auto loadStart = std::chrono::steady_clock::now();
  show.effects = loadShowEffects(show.engine);
  const double effectsMs = secondsSince(loadStart) * 1000.0;
  if (show.engine.musicEnabled) startMusic(MusicOutput::Offline);
  const double musicMs = secondsSince(loadStart) * 1000.0 - effectsMs;
  renderOfflineFrame(show, 0.0f, 0.0f, pixels);
  printf("start-up to first frame: %.1f ms (programs, textures and effects %.1f ms, "
         "music start %.1f ms)\n",
         secondsSince(loadStart) * 1000.0, effectsMs, musicMs);

  printf("offline rendering at 1280x720 (render size 1024x512), %.0f frames per show second\n",
         options.fps);
  printf("%-14s %9s %8s %10s\n", "section", "seconds", "frames", "frames/s");
  const float step = float(1.0 / options.fps);
  long frame = 1;  // frame 0 was the first frame above
  long totalFrames = 0;
  double totalSeconds = 0;
  for (const Section& section : kSections) {
    if (section.start >= options.until) break;
    const auto start = std::chrono::steady_clock::now();
    long frames = 0;
    for (;; ++frame, ++frames) {
      const float time = float(double(frame) / options.fps);
      if (time >= section.end || time >= options.until) break;
      renderOfflineFrame(show, time, step, pixels);
    }
    const double seconds = secondsSince(start);
    totalFrames += frames;
    totalSeconds += seconds;
    printf("%-14s %3.0f-%-5.0f %8ld %10.1f\n", section.name, double(section.start),
           double(section.end), frames, frames / seconds);
  }
  printf("%-14s %9s %8ld %10.1f\n", "whole show", "", totalFrames, totalFrames / totalSeconds);
  printf("peak memory: %.1f MB\n", peakMemoryKilobytes() / 1024.0);
  return 0;
}
