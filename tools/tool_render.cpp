// velmira-tool render: renders frames of the show offline, deterministically,
// into PNG files or into one video.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <string>

#include "app/offline_show.h"
#include "app/show_loading.h"
#include "gfx/image_encode.h"
#include "music/music.h"
#include "platform/clock.h"
#include "platform/message.h"
#include "platform/terminal.h"
#include "script/error.h"
#include "tools/frame_grid.h"
#include "tools/frame_pattern.h"
#include "tools/replaced_output.h"
#include "tools/show_run_up.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"
#include "tools/tool_show.h"
#include "tools/video_encoder.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool render [--show DIR] [--size WxH] [--fps F]\n"
    "                           (--time T | --from A --to B) -o PATTERN\n"
    "       velmira-tool render [--show DIR] [--size WxH] [--fps F]\n"
    "                           [--from A --to B] --video OUT.mp4\n"
    "       ... [--segment K/N]\n\n"
    "Renders the show offline with a virtual clock. At F frames a second (default\n"
    "30) frame k of the show shows the time k/F; the range holds the frames from the\n"
    "first at or after A to the last before B (--time T: the first at or after T).\n"
    "Each is exactly the frame the render from the show's start draws at that rate:\n"
    "the effects whose state reaches into the range are run up first, unseen.\n"
    "Each presented, letterboxed frame of WxH (default 1280x720) is written as a PNG\n"
    "named by PATTERN, which holds one frame number conversion such as\n"
    "out/frame%05d.png, numbered from 0 at the range's first frame (a single --time\n"
    "frame may use a plain name). Rendering the same range twice gives identical files.\n"
    "--video pipes the same frames to ffmpeg, which writes an H.264 video with the\n"
    "soundtrack from the first frame to the video's end as AAC; without a range it\n"
    "holds the whole show. The video's width and height must be even.\n"
    "--segment K/N renders only the K-th of N consecutive parts of the range: PNG\n"
    "frames numbered as in the whole render, or a silent video piece for\n"
    "'velmira-tool join'.\n"
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
    {"--segment", OptionValue::Text},
};

// More parts than this is surely a typing error.
constexpr long kMaxSegments = 100000;

struct RenderJob {
  int width = 1280, height = 720;
  double fps = 30.0;
  bool wholeShow = false;  // the range is the show's, known once it is loaded
  double from = 0, to = 0;  // the requested times, checked against the show once loaded
  FrameSpan range;         // the requested frames; files are numbered from its first
  long segment = 1, segments = 1;
  FrameSpan frames;        // the frames this run draws: its segment of the range
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

bool parseSegment(const std::string& text, long& index, long& count) {
  const size_t slash = text.find('/');
  double k = 0, n = 0;
  if (slash == std::string::npos || !parseStrictNumber(text.substr(0, slash), k) ||
      !parseStrictNumber(text.substr(slash + 1), n))
    return false;
  if (k != long(k) || n != long(n) || n < 1 || n > kMaxSegments || k < 1 || k > n) return false;
  index = long(k);
  count = long(n);
  return true;
}

// Empty when the range's frames can be split as asked, else why not.
std::string chooseSegment(RenderJob& job) {
  if (job.segments > job.range.count)
    return "--segment " + std::to_string(job.segments) + " parts of a range of " +
           std::to_string(job.range.count) + " frames";
  job.frames = segmentOf(job.range, job.segment, job.segments);
  return "";
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
  if (arguments.has("--segment") &&
      !parseSegment(arguments.text("--segment"), job.segment, job.segments))
    return "--segment wants K/N, whole numbers with 1 <= K <= N <= " +
           std::to_string(kMaxSegments);
  const std::string problem = planOutput(arguments, job, single);
  if (!problem.empty() || job.wholeShow) return problem;
  if (single) {
    job.from = job.to = arguments.number("--time", 0);
    job.range = {firstGridFrameAt(job.from, job.fps), 1};
    if (job.range.first < 0) return "--time lies past the last frame a render can hold";
    return chooseSegment(job);
  }
  const double from = job.from = arguments.number("--from", 0);
  const double to = job.to = arguments.number("--to", 0);
  if (!(to > from)) return "--to must be above --from";
  const long first = firstGridFrameAt(from, job.fps), end = firstGridFrameAt(to, job.fps);
  if (first < 0 || end < 0) return "the range holds too many frames";
  job.range = {first, end - first};
  if (job.range.count == 0) return "the range holds no frame at this rate";
  return chooseSegment(job);
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

// Runs up the state the frames depend on, then hands each frame to the sink
// with its number in the whole range.
bool renderFrames(OfflineShow& show, const RenderJob& job, const FrameSink& sink) {
  const FrameSpan& frames = job.frames;
  const long end = frames.first + frames.count;
  runUpShow(show, planRunUp(describeEffects(show.effects, job.fps, end), frames.first, end),
            job.fps);
  const bool progress = stderrIsTerminal();
  const uint32_t startedMs = clockMilliseconds();
  std::vector<uint8_t> pixels;
  for (long frame = frames.first; frame < end; ++frame) {
    renderOfflineFrame(show, gridTime(job.fps, frame), gridStep(job.fps, frame), pixels);
    if (!sink(frame - job.range.first, pixels)) return false;
    if (progress) showProgress(frame - frames.first + 1, frames.count, startedMs);
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
// the first frame's time. Empty when the show has no music, and for a piece
// of a segmented render (the join adds the sound once).
SoundStretch soundUnderVideo(const RenderJob& job) {
  SoundStretch sound;
  if (job.segments == 1)
    readMusicStretch(gridTime(job.fps, job.frames.first), double(job.frames.count) / job.fps,
                     sound.samples, sound.rate, sound.channels);
  return sound;
}

int encodeVideo(OfflineShow& show, const RenderJob& job, const std::string& path) {
  VideoRequest request;
  request.path = path;
  request.width = job.width;
  request.height = job.height;
  request.fps = job.fps;
  SoundStretch sound = soundUnderVideo(job);
  if (sound.samples.empty() && job.segments == 1)
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

int renderedWidth = 0, renderedHeight = 0;

// An effect that runs out of memory ends the run as a data error; at a
// large size the size is the likelier cause, so the message says so too.
void nameTheSizeWhenMemoryRunsOut(std::string_view, std::string_view text) {
  if (text.ends_with(kOutOfMemoryText))
    fprintf(stderr,
            "velmira-tool render: not enough memory to render frames of %dx%d; choose a smaller "
            "--size\n",
            renderedWidth, renderedHeight);
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

int renderJob(RenderJob job, const std::filesystem::path& outputBase) {
  renderedWidth = job.width;
  renderedHeight = job.height;
  divertFatalMessages(nameTheSizeWhenMemoryRunsOut);
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
    job.range = {0, firstGridFrameAt(show.engine.endTime, job.fps)};
    if (job.range.count <= 0) {
      fprintf(stderr, "velmira-tool render: the show's length gives no frames at this rate\n");
      return 1;
    }
    const std::string problem = chooseSegment(job);
    if (!problem.empty()) return usageError("render", problem, kUsage);
  }
  if (job.video.empty()) return renderPngs(show, job, outputBase);
  return writeReplacing("render", (outputBase / job.video).string(),
                        [&](const std::string& temporary) { return encodeVideo(show, job, temporary); });
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
  try {
    return renderJob(job, outputBase);
  } catch (const std::bad_alloc&) {
    fprintf(stderr,
            "velmira-tool render: not enough memory to render frames of %dx%d; choose a smaller "
            "--size\n",
            job.width, job.height);
    return 1;
  }
}
