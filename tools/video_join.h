// Joins H.264 pieces of one render with ffmpeg's concat demuxer (the picture
// is copied, not encoded again) and adds the soundtrack once, as AAC, from a
// pipe, the way the video encoder does.
#pragma once

#include <string>
#include <vector>

#include "tools/frame_grid.h"
#include "tools/video_encoder.h"

struct JoinRequest {
  std::string output;               // absolute
  std::vector<std::string> pieces;  // absolute, in order
  double fps = 30.0;
  FrameSpan frames;  // the frames the pieces hold together
};

// The concat demuxer's list of the pieces.
std::string concatList(const std::vector<std::string>& pieces);

// The ffmpeg command line that joins the pieces listed in `listPath`.
std::vector<std::string> joinArguments(const std::string& listPath, const std::string& output,
                                       const SoundStretch& sound);

// False with `error` when ffmpeg is missing or fails. The list is written
// next to the output and removed again.
bool joinVideoPieces(const JoinRequest& request, const SoundStretch& sound, std::string& error);
