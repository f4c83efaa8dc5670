#include "tools/video_encoder.h"

#include <cstdio>

namespace {

constexpr int kFrameInput = 0;
constexpr int kSoundInput = 1;  // the program's "pipe:3"

std::string decimal(double value) {
  char text[32];
  snprintf(text, sizeof text, "%.17g", value);
  return text;
}

}  // namespace

std::vector<std::string> ffmpegArguments(const VideoRequest& request, const SoundStretch& sound) {
  std::vector<std::string> arguments = {
      "ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y",
      "-f", "rawvideo", "-pix_fmt", "rgb24",
      "-video_size", std::to_string(request.width) + "x" + std::to_string(request.height),
      "-framerate", decimal(request.fps), "-i", "pipe:0"};
  if (!sound.samples.empty())
    arguments.insert(arguments.end(),
                     {"-f", "f32le", "-ar", std::to_string(sound.rate), "-ac",
                      std::to_string(sound.channels), "-i", "pipe:3", "-map", "0:v", "-map", "1:a",
                      "-c:a", "aac", "-b:a", "192k"});
  arguments.insert(arguments.end(), {"-c:v", "libx264", "-preset", "medium", "-crf", "18",
                                     "-pix_fmt", "yuv420p", "-movflags", "+faststart",
                                     request.path});
  return arguments;
}

bool startVideo(VideoEncoder& encoder, const VideoRequest& request, SoundStretch sound,
                std::string& error) {
  encoder.sound = std::move(sound);
  const bool withSound = !encoder.sound.samples.empty();
  ProgramStart outcome;
  encoder.ffmpeg = startPipedProgram(ffmpegArguments(request, encoder.sound), withSound ? 2 : 1,
                                     outcome, error);
  if (outcome == ProgramStart::NotFound)
    error = "ffmpeg was not found on the PATH; install it (Debian: apt-get install ffmpeg)";
  if (!encoder.ffmpeg) return false;
  encoder.soundDelivered = !withSound;
  // ffmpeg reads the two pipes in turns, so the sound flows on its own thread
  // while the frames are rendered.
  if (withSound)
    encoder.soundWriter = std::thread([&encoder] {
      const std::vector<float>& samples = encoder.sound.samples;
      encoder.soundDelivered = writeToProgram(*encoder.ffmpeg, kSoundInput, samples.data(),
                                              samples.size() * sizeof(float));
      closeProgramInput(*encoder.ffmpeg, kSoundInput);
    });
  return true;
}

bool addVideoFrame(VideoEncoder& encoder, const std::vector<uint8_t>& rgb) {
  return writeToProgram(*encoder.ffmpeg, kFrameInput, rgb.data(), rgb.size());
}

bool finishVideo(VideoEncoder& encoder, std::string& error) {
  closeProgramInput(*encoder.ffmpeg, kFrameInput);
  if (encoder.soundWriter.joinable()) encoder.soundWriter.join();
  const int status = finishProgram(*encoder.ffmpeg);
  encoder.ffmpeg.reset();
  if (status != 0) {
    error = status < 0 ? "ffmpeg was ended by a signal"
                       : "ffmpeg failed with status " + std::to_string(status);
    return false;
  }
  if (!encoder.soundDelivered) {
    error = "ffmpeg did not read the whole soundtrack";
    return false;
  }
  return true;
}
