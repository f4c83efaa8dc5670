// Turns rendered frames into an H.264 MP4 through the ffmpeg program: the
// frames go down a pipe as raw RGB rows, the sound down a second pipe as
// 32-bit float samples (encoded as AAC), so nothing is written in between.
// The frames reach ffmpeg exactly as the renderer read them back.
#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "platform/piped_program.h"

struct VideoRequest {
  std::string path;
  int width = 0, height = 0;
  double fps = 30.0;
};

struct SoundStretch {
  std::vector<float> samples;  // interleaved; empty for a silent video
  int rate = 0;
  int channels = 0;
};

struct VideoEncoder {
  PipedProgramHandle ffmpeg;
  SoundStretch sound;
  std::thread soundWriter;
  bool soundDelivered = false;
};

// The ffmpeg command line for the request; it reads a sound input only when
// the stretch holds samples.
std::vector<std::string> ffmpegArguments(const VideoRequest& request, const SoundStretch& sound);

// Starts ffmpeg and begins feeding it the sound. False with `error` set when
// ffmpeg cannot be started (the message says how to install it when it is
// missing).
bool startVideo(VideoEncoder& encoder, const VideoRequest& request, SoundStretch sound,
                std::string& error);
// One frame of width x height RGB rows, top row first.
bool addVideoFrame(VideoEncoder& encoder, const std::vector<uint8_t>& rgb);
// Ends both streams and waits for ffmpeg; false with `error` when anything
// failed on the way.
bool finishVideo(VideoEncoder& encoder, std::string& error);
