#include "tools/video_join.h"

#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/piped_program.h"

namespace {

constexpr int kSoundInput = 1;  // the program's "pipe:3"

// A single-quoted name for the list: a quote inside is closed, escaped and
// opened again.
std::string quoted(const std::string& path) {
  std::string text = "'";
  for (const char c : path) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return text + "'";
}

}  // namespace

std::string concatList(const std::vector<std::string>& pieces) {
  std::string list = "ffconcat version 1.0\n";
  for (const std::string& piece : pieces) list += "file " + quoted(piece) + "\n";
  return list;
}

std::vector<std::string> joinArguments(const std::string& listPath, const std::string& output,
                                       const SoundStretch& sound) {
  std::vector<std::string> arguments = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin",
                                        "-y",     "-f",           "concat",    "-safe", "0",
                                        "-i",     listPath};
  if (!sound.samples.empty())
    arguments.insert(arguments.end(), {"-f", "f32le", "-ar", std::to_string(sound.rate), "-ac",
                                       std::to_string(sound.channels), "-i", "pipe:3", "-map",
                                       "0:v", "-map", "1:a", "-c:a", "aac", "-b:a", "192k"});
  arguments.insert(arguments.end(), {"-c:v", "copy", "-movflags", "+faststart", output});
  return arguments;
}

bool joinVideoPieces(const JoinRequest& request, const SoundStretch& sound, std::string& error) {
  const std::string listPath = request.output + ".pieces.txt";
  {
    std::ofstream list(listPath, std::ios::binary);
    list << concatList(request.pieces);
    if (!list.good()) {
      error = "cannot write the list of pieces " + listPath;
      return false;
    }
  }
  const bool withSound = !sound.samples.empty();
  ProgramStart outcome;
  PipedProgramHandle ffmpeg = startPipedProgram(joinArguments(listPath, request.output, sound),
                                                withSound ? 2 : 1, outcome, error);
  if (outcome == ProgramStart::NotFound)
    error = "ffmpeg was not found on the PATH; install it (Debian: apt-get install ffmpeg)";
  bool soundDelivered = true;
  if (ffmpeg) {
    closeProgramInput(*ffmpeg, 0);
    if (withSound) {
      soundDelivered = writeToProgram(*ffmpeg, kSoundInput, sound.samples.data(),
                                      sound.samples.size() * sizeof(float));
      closeProgramInput(*ffmpeg, kSoundInput);
    }
    const int status = finishProgram(*ffmpeg);
    ffmpeg.reset();
    if (status != 0)
      error = status < 0 ? "ffmpeg was ended by a signal"
                         : "ffmpeg failed with status " + std::to_string(status);
    else if (!soundDelivered)
      error = "ffmpeg did not read the whole soundtrack";
  }
  std::error_code ignored;
  std::filesystem::remove(listPath, ignored);
  return error.empty() && outcome == ProgramStart::Started;
}
