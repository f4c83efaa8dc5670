// velmira-tool render --video, on the built show: what reaches ffmpeg (a
// stand-in program records it), what happens without ffmpeg, and the real
// video when ffmpeg is installed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "gfx/image.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace {

const std::string kTool = VELMIRA_TOOL " render --show " VELMIRA_SHOW_DIR " ";

// RGB rows of a PNG the tool wrote.
std::string pngRgb(const std::string& path) {
  const std::string bytes = readAll(path);
  DecodedImage image;
  EXPECT_EQ(decodePng({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, {}, image),
            kPngOk) << path;
  std::string rgb;
  for (size_t pixel = 0; pixel + 4 <= image.pixels.size(); pixel += 4)
    rgb.append(reinterpret_cast<const char*>(&image.pixels[pixel]), 3);
  return rgb;
}

// An "ffmpeg" that keeps its arguments, its frames and its sound in this
// folder, writes "video" to the output it was given, and ends with `status`.
std::string writeRecordingFfmpeg(int status = 0) {
  const std::string here = std::filesystem::current_path().string();
  writeFile("bin/ffmpeg", "#!/bin/sh\nprintf '%s\\n' \"$@\" > " + here + "/args.txt\n" +
                              "cat > " + here + "/video.rgb\n" + "cat <&3 > " + here +
                              "/sound.f32\n" + "for last; do :; done\nprintf video > \"$last\"\n" +
                              "exit " + std::to_string(status) + "\n");
  std::filesystem::permissions("bin/ffmpeg", std::filesystem::perms::owner_all);
  return "PATH=" + here + "/bin:$PATH ";
}

bool haveProgram(const char* name) {
  return run(std::string("command -v ") + name + " > /dev/null") == 0;
}

}  // namespace

TEST(VideoRender, FfmpegGetsThePngFramesBitForBitAndTheMatchingSound) {
  ASSERT_DISPLAY();
  TempDir dir;
  const std::string path = writeRecordingFfmpeg();
  const std::string range = "--size 96x54 --from 20 --to 20.5 --fps 6 ";
  ASSERT_EQ(run(kTool + range + "-o png/f%d.png"), 0);
  ASSERT_EQ(run(path + kTool + range + "--video out.mp4"), 0);
  std::string frames;
  for (int frame = 0; frame < 3; ++frame) frames += pngRgb("png/f" + std::to_string(frame) + ".png");
  ASSERT_EQ(frames.size(), 3u * 96 * 54 * 3);
  EXPECT_TRUE(readAll("video.rgb") == frames) << "the piped frames differ from the PNG frames";

  const std::string arguments = readAll("args.txt");
  for (const char* expected : {"rawvideo\n", "rgb24\n", "96x54\n", "pipe:0\n", "pipe:3\n",
                               "libx264\n", "aac\n", "f32le\n"})
    EXPECT_NE(arguments.find(expected), std::string::npos) << expected;
  // Made under a temporary name beside the final one, then renamed.
  EXPECT_NE(arguments.find((dir.path() / "out.partial.mp4").string()), std::string::npos);
  EXPECT_EQ(readAll("out.mp4"), "video");
  EXPECT_FALSE(std::filesystem::exists("out.partial.mp4"));
  // Half a second of the soundtrack at its rate and channel count, and not silence.
  const auto valueAfter = [&](const std::string& option) {
    const size_t at = arguments.find("\n" + option + "\n");
    return at == std::string::npos ? 0 : std::stoi(arguments.substr(at + option.size() + 2));
  };
  const int rate = valueAfter("-ar"), channels = valueAfter("-ac");
  ASSERT_GT(rate, 0);
  ASSERT_GT(channels, 0);
  const std::string sound = readAll("sound.f32");
  ASSERT_EQ(sound.size(), size_t(rate / 2) * size_t(channels) * sizeof(float));
  const float* samples = reinterpret_cast<const float*>(sound.data());
  float loudest = 0;
  for (size_t i = 0; i < sound.size() / sizeof(float); ++i)
    loudest = std::max(loudest, std::fabs(samples[i]));
  EXPECT_GT(loudest, 0.01f);
}

TEST(VideoRender, WrongRequestsAndAMissingFfmpegAreNamed) {
  TempDir dir;
  const std::string errors = " 2> errors.txt";
  EXPECT_EQ(run(kTool + "--from 0 --to 1 --video a.mp4 -o f%d.png" + errors), 2);
  EXPECT_NE(readAll("errors.txt").find("either -o PATTERN or --video"), std::string::npos);
  EXPECT_EQ(run(kTool + "--size 99x54 --video a.mp4" + errors), 2);
  EXPECT_NE(readAll("errors.txt").find("even width and height"), std::string::npos);
  EXPECT_EQ(run(kTool + "--time 3 --video a.mp4" + errors), 2);
  EXPECT_EQ(run(kTool + "--from 3 --video a.mp4" + errors), 2);
  ASSERT_DISPLAY();
  EXPECT_EQ(run("PATH=/nonexistent " + kTool + "--size 32x18 --from 0 --to 1 --video a.mp4" + errors), 1);
  EXPECT_NE(readAll("errors.txt").find("ffmpeg was not found"), std::string::npos)
      << readAll("errors.txt");
  EXPECT_FALSE(std::filesystem::exists("a.mp4"));
}

TEST(VideoRender, MakesAPlayableMp4WithPictureAndSound) {
  ASSERT_DISPLAY();
  if (!haveProgram("ffmpeg") || !haveProgram("ffprobe")) GTEST_SKIP() << "needs ffmpeg";
  TempDir dir;
  ASSERT_EQ(run(kTool + "--size 160x90 --from 30 --to 32 --fps 25 --video clip.mp4"), 0);
  ASSERT_EQ(run("ffprobe -v error -show_entries format=duration:stream=codec_name,width,height,"
                "nb_read_frames -count_frames -of default=noprint_wrappers=1 clip.mp4 > probe.txt"),
            0);
  const std::string probe = readAll("probe.txt");
  for (const char* expected : {"codec_name=h264\n", "width=160\n", "height=90\n",
                               "nb_read_frames=50\n", "codec_name=aac\n"})
    EXPECT_NE(probe.find(expected), std::string::npos) << expected << " in\n" << probe;
  const size_t duration = probe.find("\nduration=");
  ASSERT_NE(duration, std::string::npos) << probe;
  EXPECT_NEAR(std::stod(probe.substr(duration + 10)), 2.0, 0.05) << probe;
}

// A render that fails (ffmpeg fails, or the output names a folder) leaves the
// video that was there as it was, and no temporary file.
TEST(VideoRender, AFailedRenderLeavesTheOldVideo) {
  ASSERT_DISPLAY();
  TempDir dir;
  const std::string path = writeRecordingFfmpeg(1);
  writeFile("out.mp4", "the good video");
  const std::string range = "--size 32x18 --from 20 --to 20.2 --fps 10 ";
  EXPECT_EQ(run(path + kTool + range + "--video out.mp4 2>err.txt"), 1);
  EXPECT_NE(readAll("err.txt").find("ffmpeg failed with status 1"), std::string::npos)
      << readAll("err.txt");
  EXPECT_EQ(readAll("out.mp4"), "the good video");
  EXPECT_FALSE(std::filesystem::exists("out.partial.mp4"));
  std::filesystem::create_directory("folder.mp4");
  EXPECT_EQ(run(path + kTool + range + "--video folder.mp4 2>err.txt"), 1);
  EXPECT_NE(readAll("err.txt").find("folder.mp4 is a folder"), std::string::npos)
      << readAll("err.txt");
}

// A render stopped by SIGTERM while ffmpeg is still at work leaves the old
// video and takes its half-written one away.
TEST(VideoRender, AStoppedRenderLeavesTheOldVideo) {
  ASSERT_DISPLAY();
  TempDir dir;
  writeFile("bin/ffmpeg", "#!/bin/sh\nfor last; do :; done\nprintf partial > \"$last\"\nsleep 20\n");
  std::filesystem::permissions("bin/ffmpeg", std::filesystem::perms::owner_all);
  writeFile("out.mp4", "the good video");
  const std::string path = "PATH=" + std::filesystem::current_path().string() + "/bin:$PATH ";
  EXPECT_EQ(run(path + "timeout 5 " + kTool + "--size 32x18 --from 20 --to 20.2 --fps 10 "
                "--video out.mp4 2>/dev/null"),
            124);
  EXPECT_EQ(readAll("out.mp4"), "the good video");
  EXPECT_FALSE(std::filesystem::exists("out.partial.mp4"));
}
