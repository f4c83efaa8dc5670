// velmira-tool join: puts the video pieces of a segmented render together,
// without encoding the picture again, under the soundtrack of the whole range.
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/configuration.h"
#include "app/engine_state.h"
#include "music/music.h"
#include "platform/piped_program.h"
#include "tools/frame_grid.h"
#include "tools/replaced_output.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"
#include "tools/tool_show.h"
#include "tools/video_join.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool join [--show DIR] [--fps F] [--from A --to B] --video OUT.mp4\n"
    "                         PIECE...\n\n"
    "Joins the video pieces that 'velmira-tool render --segment K/N --video PIECE'\n"
    "made, in the order given, into OUT.mp4 with ffmpeg's concat demuxer: the\n"
    "picture is copied, not encoded again. The soundtrack of the range's frames\n"
    "(the whole show without --from and --to) is added once as AAC. Give the\n"
    "same --show, --fps (default 30), --from and --to as to the render.\n";

const ToolOption kOptions[] = {
    kShowOption,
    {"--fps", OptionValue::Number},
    {"--from", OptionValue::Number},
    {"--to", OptionValue::Number},
    {"--video", OptionValue::Text},
};

// Empty when the arguments describe a join, else why not.
std::string planJoin(const ToolArguments& arguments, JoinRequest& request) {
  request.output = arguments.text("--video");
  if (request.output.empty()) return "--video OUT.mp4 is required";
  if (arguments.operands.empty()) return "name the pieces to join";
  for (const std::string& piece : arguments.operands) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(piece, error)) return "no piece " + piece;
    request.pieces.push_back(std::filesystem::absolute(piece).string());
  }
  request.fps = arguments.number("--fps", 30.0);
  if (!(request.fps > 0)) return "--fps must be above 0";
  const bool ranged = arguments.has("--from") || arguments.has("--to");
  if (ranged && !(arguments.has("--from") && arguments.has("--to")))
    return "--from and --to go together";
  const double from = ranged ? arguments.number("--from", 0) : 0.0;
  const double to = ranged ? arguments.number("--to", 0) : double(EngineState{}.endTime);
  if (!(to > from)) return "--to must be above --from";
  const long first = firstGridFrameAt(from, request.fps), end = firstGridFrameAt(to, request.fps);
  if (first < 0 || end < 0) return "the range holds too many frames";
  request.frames = {first, end - first};
  return "";
}

// The soundtrack from the first frame for as long as the frames last; empty
// when the show has no music.
SoundStretch soundOfRange(const JoinRequest& request) {
  EngineState engine;
  readConfiguration(engine);
  SoundStretch sound;
  if (engine.musicEnabled && startMusic(MusicOutput::Offline))
    readMusicStretch(gridTime(request.fps, request.frames.first),
                     double(request.frames.count) / request.fps, sound.samples, sound.rate,
                     sound.channels);
  return sound;
}

}  // namespace

int runToolJoin(int argc, char** argv) {
  const ToolArguments arguments = parseToolArguments(argc, argv, kOptions);
  if (arguments.help) return printUsage(kUsage);
  JoinRequest request;
  const std::string problem =
      arguments.error.empty() ? planJoin(arguments, request) : arguments.error;
  if (!problem.empty()) return usageError("join", problem, kUsage);
  request.output = std::filesystem::absolute(request.output).string();
  if (!enterShowDirectory("join", arguments)) return 1;
  const SoundStretch sound = soundOfRange(request);
  if (sound.samples.empty())
    fprintf(stderr, "velmira-tool join: the show has no music; the video is silent\n");
  const std::string output = request.output;
  return writeReplacing("join", output, [&](const std::string& temporary) {
    request.output = temporary;
    std::string error;
    if (joinVideoPieces(request, sound, error)) return 0;
    fprintf(stderr, "velmira-tool join: cannot make %s: %s\n", output.c_str(), error.c_str());
    return 1;
  });
}
