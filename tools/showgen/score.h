// The soundtrack's composition: 140 s at 120 BPM (a bar of 4/4 every 2 s),
// in A minor with a lift to B minor for the finale. Sections:
//   intro 0-16 s (pads, no kick), build 16-32 s (kick enters), groove 32-64 s,
//   break 64-80 s (no drums), main 80-112 s (everything), second break
//   112-120 s (no drums), finale 120-136 s, fade 136-140 s.
// The score is a list of timed notes per instrument; soundtrack.cpp plays it.
#pragma once

#include <vector>

namespace showgen {

constexpr double kBeatSeconds = 0.5;
constexpr double kBarSeconds = 2.0;
constexpr double kSongSeconds = 140.0;

struct NoteEvent {
  double start;   // seconds
  double length;  // seconds the note is held (the release comes after)
  int pitch;      // MIDI note number; unused by drums
  float velocity; // 0..1
};

struct Score {
  std::vector<NoteEvent> pad, bass, lead, softLead, arp;
  std::vector<NoteEvent> kick, snare, closedHat, openHat, crash, riser;
};

Score composeScore();

// Mix levels that follow the sections (0..1), for the automation of the pads'
// filter and the arpeggio's brightness.
float padBrightness(double seconds);
float arpBrightness(double seconds);

}  // namespace showgen
