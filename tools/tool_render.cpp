// velmira-tool render: renders frames of the show offline, deterministically,
// into PNG files or into one video.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/offline_show.h"
#include "app/show_loading.h"
#include "gfx/image_encode.h"
#include "music/music.h"
#include "platform/clock.h"
#include "platform/terminal.h"
#include "tools/frame_pattern.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"
#include "tools/tool_show.h"
#include "tools/video_encoder.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool render [--show DIR] [--size WxH] [--fps F]\n"
    "                           (--time T | --from A --to B) -o PATTERN\n"
    "       velmira-tool render [--show DIR] [--size WxH] [--fps F]\n"
    "                           [--from A --to B] --video OUT.mp4\n\n"
    "Renders the show offline with a virtual clock: frame i shows time A + i/F, for\n"
    "every such time below B (or the single time T). Each presented, letterboxed\n"
    "frame of WxH (default 1280x720) is written as a PNG named by PATTERN, which holds\n"
    "one frame number conversion such as out/frame%05d.png (a single --time frame may\n"
    "use a plain name). Rendering the same range twice gives identical files.\n"
    "--video pipes the same frames to ffmpeg, which writes an H.264 video with the\n"
    "soundtrack from A to the video's end as AAC; without a range it holds the whole\n"
    "show. The video's width and height must be even.\n"
    "Times outside the show (0 to its end plus the second the player still draws)\n"
    "are wrong usage (status 2). A show whose timeline schedules no effect is\n"
    "refused with status 1. DIR defaults to the current folder when it holds a show,\n"
    "else the installed or built show.\n";

const ToolOption kOptions[] = {
    kShowOption,
    {"--size", OptionValue::Text},
    {"--fps", OptionValue::Number},
    {"--time", OptionValue::Number},
    {"--from", OptionValue::Number},
    {"--to", OptionValue::Number},
    {"-o", OptionValue::Text},
    {"--video", OptionValue::Text},
};

struct RenderJob {
  int width = 1280, height = 720;
  double fps = 30.0;
  double from = 0.0;
  double to = 0.0;
  bool wholeShow = false;  // the range is the show's, known once it is loaded
  long frames = 1;
  std::string pattern;
  std::string video;
};

bool parseSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find('x');
  double w = 0, h = 0;
  if (x == std::string::npos || !parseStrictNumber(text.substr(0, x), w) ||
      !parseStrictNumber(text.substr(x + 1), h))
    return false;
  if (w != int(w) || h != int(h) || w < 1 || h < 1 || w > 8192 || h > 8192) return false;
  width = int(w);
  height = int(h);
  return true;
}

// Empty when the output options make sense, else why not.
std::string planOutput(const ToolArguments& arguments, RenderJob& job, bool single) {
  job.video = arguments.text("--video");
  job.pattern = arguments.text("-o");
  if (arguments.has("--video")) {
    if (arguments.has("-o")) return "give either -o PATTERN or --video OUT.mp4";
    if (single) return "--video takes a range (--from A --to B) or none, not --time";
    if (job.video.empty()) return "--video needs a file name";
    if (job.width % 2 || job.height % 2) return "--video needs an even width and height";
    return "";
  }
  if (job.pattern.empty()) return "-o PATTERN is required";
  const std::string problem = framePatternProblem(job.pattern, single);
  return problem.empty() ? "" : "-o: " + problem;
}

// Empty when the arguments describe a job, else why not.
std::string planJob(const ToolArguments& arguments, RenderJob& job) {
  if (!arguments.operands.empty()) return "unexpected argument " + arguments.operands.front();
  if (arguments.has("--size") && !parseSize(arguments.text("--size"), job.width, job.height))
    return "--size wants WxH with whole numbers from 1 to 8192, such as 1280x720";
  job.fps = arguments.number("--fps", job.fps);
  if (!(job.fps > 0)) return "--fps must be above 0";
  const bool single = arguments.has("--time");
  const bool ranged = arguments.has("--from") || arguments.has("--to");
  job.wholeShow = !single && !ranged && arguments.has("--video");
  if (single == ranged && !job.wholeShow) return "give either --time T or --from A --to B";
  if (ranged && !(arguments.has("--from") && arguments.has("--to")))
    return "--from and --to go together";
  const std::string problem = planOutput(arguments, job, single);
  if (!problem.empty() || job.wholeShow) return problem;
  if (single) {
    job.from = job.to = arguments.number("--time", 0);
    return "";
  }
  job.from = arguments.number("--from", 0);
  job.to = arguments.number("--to", 0);
  if (!(job.to > job.from)) return "--to must be above --from";
  job.frames = countFrames(job.from, job.to, job.fps);
  if (job.frames < 0) return "the range holds too many frames";
  return "";
}

bool writeFrame(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height) {
  const std::vector<uint8_t> png = encodePng(rgb.data(), width, height, 3, PngEffort::Fast);
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return !png.empty() && file.good();
}

void showProgress(long done, long total, uint32_t startedMs) {
  const double seconds = (clockMilliseconds() - startedMs) / 1000.0;
  const double rate = seconds > 0 ? done / seconds : 0.0;
  const int width = 30, filled = total ? int(done * width / total) : width;
  fprintf(stderr, "\r[%.*s%*s] %ld/%ld  %.1f fps  %.0f s left ", filled,
          "##############################", width - filled, "", done, total, rate,
          rate > 0 ? (total - done) / rate : 0.0);
  if (done == total) fputc('\n', stderr);
}

// Receives each frame as RGB rows, top row first; false stops the run (it
// has said why).
using FrameSink = std::function<bool(long frame, const std::vector<uint8_t>& rgb)>;

bool renderFrames(OfflineShow& show, const RenderJob& job, const FrameSink& sink) {
  const bool progress = stderrIsTerminal();
  const uint32_t startedMs = clockMilliseconds();
  std::vector<uint8_t> pixels;
  float previousTime = float(job.from);
  for (long frame = 0; frame < job.frames; ++frame) {
    const float time = float(frameTime(job.from, job.fps, frame));
    renderOfflineFrame(show, time, time - previousTime, pixels);
    previousTime = time;
    if (!sink(frame, pixels)) return false;
    if (progress) showProgress(frame + 1, job.frames, startedMs);
  }
  return true;
}

int renderPngs(OfflineShow& show, const RenderJob& job, const std::filesystem::path& outputBase) {
  const bool done = renderFrames(show, job, [&](long frame, const std::vector<uint8_t>& rgb) {
    const std::string path = (outputBase / frameName(job.pattern, int(frame))).string();
    if (writeFrame(path, rgb, job.width, job.height)) return true;
    fprintf(stderr, "velmira-tool render: cannot write %s\n", path.c_str());
    return false;
  });
  return done ? 0 : 1;
}

// The soundtrack under the video: as many samples as the frames last, from
// the first frame's time. Empty when the show has no music.
SoundStretch soundUnderVideo(const RenderJob& job) {
  SoundStretch sound;
  readMusicStretch(float(job.from), double(job.frames) / job.fps, sound.samples, sound.rate,
                   sound.channels);
  return sound;
}

int renderVideo(OfflineShow& show, const RenderJob& job, const std::filesystem::path& outputBase) {
  VideoRequest request;
  request.path = (outputBase / job.video).string();
  request.width = job.width;
  request.height = job.height;
  request.fps = job.fps;
  SoundStretch sound = soundUnderVideo(job);
  if (sound.samples.empty())
    fprintf(stderr, "velmira-tool render: the show has no music; the video is silent\n");
  VideoEncoder encoder;
  std::string error;
  if (!startVideo(encoder, request, std::move(sound), error)) {
    fprintf(stderr, "velmira-tool render: cannot make the video: %s\n", error.c_str());
    return 1;
  }
  const bool rendered = renderFrames(show, job, [&](long, const std::vector<uint8_t>& rgb) {
    if (addVideoFrame(encoder, rgb)) return true;
    fprintf(stderr, "velmira-tool render: ffmpeg stopped taking frames\n");
    return false;
  });
  if (!finishVideo(encoder, error)) {
    fprintf(stderr, "velmira-tool render: cannot make the video %s: %s\n", request.path.c_str(),
            error.c_str());
    return 1;
  }
  return rendered ? 0 : 1;
}

// Empty when every frame of the job lies inside the show, else why not.
std::string timesOutsideShow(const RenderJob& job, const EngineState& engine) {
  const double last = engine.endTime + 1.0;  // the player draws until then
  if (job.from >= 0 && job.from < last && job.to <= last) return "";
  char text[160];
  snprintf(text, sizeof text, "%s lies outside the show, which runs from 0 to %g s",
           job.to > job.from ? "the range" : "the time", last);
  return text;
}

}  // namespace

int runToolRender(int argc, char** argv) {
  const ToolArguments arguments = parseToolArguments(argc, argv, kOptions);
  if (arguments.help) return printUsage(kUsage);
  RenderJob job;
  const std::string problem = arguments.error.empty() ? planJob(arguments, job) : arguments.error;
  if (!problem.empty()) return usageError("render", problem, kUsage);
  // Output paths are taken relative to where the tool was started.
  const std::filesystem::path outputBase = std::filesystem::current_path();
  if (!enterShowDirectory("render", arguments)) return 1;
  OfflineShow show;
  std::string reason;
  if (!openOfflineShow(show, job.width, job.height, reason) || !loadOfflineShow(show, reason)) {
    fprintf(stderr, "velmira-tool render: cannot load the show: %s\n", reason.c_str());
    return 1;
  }
  if (show.effects.empty()) {
    fprintf(stderr, "velmira-tool render: %s\n",
            emptyTimelineProblem(show.engine.timelineFileName).c_str());
    return 1;
  }
  if (!job.wholeShow) {
    const std::string outside = timesOutsideShow(job, show.engine);
    if (!outside.empty()) return usageError("render", outside, kUsage);
  }
  if (job.wholeShow) {
    job.from = 0.0;
    job.frames = countFrames(0.0, show.engine.endTime, job.fps);
    if (job.frames <= 0) {
      fprintf(stderr, "velmira-tool render: the show's length gives no frames at this rate\n");
      return 1;
    }
  }
  return job.video.empty() ? renderPngs(show, job, outputBase) : renderVideo(show, job, outputBase);
}
