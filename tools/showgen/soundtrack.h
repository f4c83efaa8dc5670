// The soundtrack "quarno/velmira.mp3": the score played by the instruments
// into groups (drums, bass, pads, lead, arpeggio, effects), the groups ducked
// under the kick, sent through echo and reverb, mixed, limited to a peak of
// kPeakDbfs and faded out over the last bar, then encoded at 192 kbit/s.
#pragma once

#include "tools/showgen/generated_file.h"
#include "tools/showgen/score.h"
#include "tools/showgen/synth.h"

namespace showgen {

constexpr size_t kSongFrames = static_cast<size_t>(kSongSeconds * kSampleRate);
// Peak of the mastered samples; the margin below -1 dBFS leaves room for the
// MP3 round trip, whose decoded peaks rise a little above the input's.
constexpr float kPeakDbfs = -1.6f;

// The finished stereo track before encoding.
StereoBuffer renderSoundtrack();

GeneratedFiles generateSoundtrack();

}  // namespace showgen
