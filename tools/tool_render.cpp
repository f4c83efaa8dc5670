// velmira-tool render: renders frames of the show offline, deterministically.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/offline_show.h"
#include "gfx/image_encode.h"
#include "platform/clock.h"
#include "platform/terminal.h"
#include "tools/frame_pattern.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"
#include "tools/tool_show.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool render [--show DIR] [--size WxH] [--fps F]\n"
    "                           (--time T | --from A --to B) -o PATTERN\n\n"
    "Renders the show offline with a virtual clock: frame i shows time A + i/F, for\n"
    "every such time below B (or the single time T). Each presented, letterboxed\n"
    "frame of WxH (default 1280x720) is written as a PNG named by PATTERN, which holds\n"
    "one frame number conversion such as out/frame%05d.png (a single --time frame may\n"
    "use a plain name). Rendering the same range twice gives identical files.\n"
    "DIR defaults to the current folder when it holds a show, else the built show.\n";

const OptionSpec kOptions[] = {
    kShowOption,
    {"--size", OptionValue::Text},
    {"--fps", OptionValue::Number},
    {"--time", OptionValue::Number},
    {"--from", OptionValue::Number},
    {"--to", OptionValue::Number},
    {"-o", OptionValue::Text},
};

struct RenderJob {
  int width = 1280, height = 720;
  double fps = 30.0;
  double from = 0.0;
  long frames = 1;
  std::string pattern;
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

// Empty when the arguments describe a job, else why not.
std::string planJob(const ToolArguments& arguments, RenderJob& job) {
  if (!arguments.operands.empty()) return "unexpected argument " + arguments.operands.front();
  if (arguments.has("--size") && !parseSize(arguments.text("--size"), job.width, job.height))
    return "--size wants WxH with whole numbers from 1 to 8192, such as 1280x720";
  job.fps = arguments.number("--fps", job.fps);
  if (!(job.fps > 0)) return "--fps must be above 0";
  const bool single = arguments.has("--time");
  const bool ranged = arguments.has("--from") || arguments.has("--to");
  if (single == ranged) return "give either --time T or --from A --to B";
  if (ranged && !(arguments.has("--from") && arguments.has("--to")))
    return "--from and --to go together";
  job.pattern = arguments.text("-o");
  if (job.pattern.empty()) return "-o PATTERN is required";
  const std::string problem = framePatternProblem(job.pattern, single);
  if (!problem.empty()) return "-o: " + problem;
  if (single) {
    job.from = arguments.number("--time", 0);
    return "";
  }
  job.from = arguments.number("--from", 0);
  const double to = arguments.number("--to", 0);
  if (!(to > job.from)) return "--to must be above --from";
  job.frames = countFrames(job.from, to, job.fps);
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

int renderFrames(OfflineShow& show, const RenderJob& job, const std::filesystem::path& outputBase) {
  const bool progress = stderrIsTerminal();
  const uint32_t startedMs = clockMilliseconds();
  std::vector<uint8_t> pixels;
  float previousTime = float(job.from);
  for (long frame = 0; frame < job.frames; ++frame) {
    const float time = float(frameTime(job.from, job.fps, frame));
    renderOfflineFrame(show, time, time - previousTime, pixels);
    previousTime = time;
    const std::string path = (outputBase / frameName(job.pattern, int(frame))).string();
    if (!writeFrame(path, pixels, job.width, job.height)) {
      fprintf(stderr, "velmira-tool render: cannot write %s\n", path.c_str());
      return 1;
    }
    if (progress) showProgress(frame + 1, job.frames, startedMs);
  }
  return 0;
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
  return renderFrames(show, job, outputBase);
}
