#include "tools/showgen/score.h"

#include <array>
#include <cstddef>

#include "tools/showgen/random.h"

namespace showgen {
namespace {

constexpr double kSixteenth = kBeatSeconds / 4;

struct Chord {
  int bass;                  // root for the bass line (octave 1-2)
  std::array<int, 4> voicing;  // pad notes
};

constexpr Chord kMainProgression[4] = {
    {33, {55, 60, 64, 69}},  // Am7
    {29, {53, 57, 60, 64}},  // Fmaj7
    {36, {55, 60, 62, 67}},  // Cadd9
    {31, {55, 59, 62, 67}},  // G
};
constexpr Chord kBreakProgression[4] = {
    {38, {53, 57, 60, 62}},  // Dm7
    {33, {55, 60, 64, 69}},  // Am7
    {29, {53, 57, 60, 64}},  // Fmaj7
    {28, {56, 59, 62, 64}},  // E7
};
// Second break: climbs to F#7, the dominant of the finale's B minor.
constexpr Chord kLiftProgression[4] = {
    {29, {53, 57, 60, 64}},  // Fmaj7
    {31, {55, 59, 62, 67}},  // G
    {28, {55, 59, 62, 64}},  // Em7
    {30, {58, 61, 64, 66}},  // F#7
};

Chord transposed(Chord chord, int semitones) {
  chord.bass += semitones;
  for (int& note : chord.voicing) note += semitones;
  return chord;
}

// Bars by section.
enum Section { kIntro, kBuild, kGroove, kBreak, kMain, kLift, kFinale, kFade };

Section sectionOfBar(int bar) {
  if (bar < 8) return kIntro;
  if (bar < 16) return kBuild;
  if (bar < 32) return kGroove;
  if (bar < 40) return kBreak;
  if (bar < 56) return kMain;
  if (bar < 60) return kLift;
  if (bar < 68) return kFinale;
  return kFade;
}

Chord chordOfBar(int bar) {
  switch (sectionOfBar(bar)) {
    case kBreak: return kBreakProgression[bar % 4];
    case kLift: return kLiftProgression[bar % 4];
    case kFinale: return transposed(kMainProgression[bar % 4], 2);
    case kFade: return transposed(kMainProgression[0], 2);
    default: return kMainProgression[bar % 4];
  }
}

double at(int bar, double sixteenth) { return bar * kBarSeconds + sixteenth * kSixteenth; }

struct PhraseNote {
  int start;   // sixteenths from the phrase start
  int length;  // sixteenths
  int pitch;
};

// The lead's eight-bar theme over Am F C G Am F C G.
constexpr PhraseNote kTheme[] = {
    {0, 2, 69},   {2, 2, 72},   {4, 6, 76},   {10, 2, 74},  {12, 4, 72},
    {16, 6, 69},  {22, 2, 67},  {24, 4, 69},  {28, 4, 72},
    {32, 6, 76},  {38, 2, 79},  {40, 4, 76},  {44, 4, 74},
    {48, 6, 74},  {54, 2, 71},  {56, 8, 67},
    {64, 2, 69},  {66, 2, 72},  {68, 4, 76},  {72, 6, 81},  {78, 2, 79},
    {80, 6, 77},  {86, 2, 76},  {88, 4, 72},  {92, 4, 69},
    {96, 2, 67},  {98, 2, 72},  {100, 4, 76}, {104, 4, 79}, {108, 4, 76},
    {112, 6, 74}, {118, 2, 76}, {120, 4, 74}, {124, 4, 71},
};

// The break's slow song over Dm Am F E, twice.
constexpr PhraseNote kBreakTune[] = {
    {0, 8, 77},   {8, 4, 76},   {12, 4, 74},  {16, 8, 72},  {24, 8, 76},
    {32, 8, 81},  {40, 4, 79},  {44, 4, 77},  {48, 12, 76}, {60, 4, 68},
    {64, 8, 77},  {72, 4, 79},  {76, 4, 81},  {80, 8, 84},  {88, 8, 76},
    {96, 8, 77},  {104, 4, 76}, {108, 4, 72}, {112, 16, 76},
};

// A diatonic third below `pitch` in the natural minor scale on `tonic`.
int thirdBelow(int pitch, int tonic) {
  constexpr int kSteps[7] = {0, 2, 3, 5, 7, 8, 10};
  const int degreePitch = ((pitch - tonic) % 12 + 12) % 12;
  for (int degree = 0; degree < 7; ++degree) {
    if (kSteps[degree] == degreePitch) {
      const int lower = (degree + 5) % 7;  // two scale steps down
      int interval = kSteps[degree] - kSteps[lower];
      if (interval <= 0) interval += 12;
      return pitch - interval;
    }
  }
  return pitch - 3;
}

template <size_t N>
void addPhrase(std::vector<NoteEvent>& part, const PhraseNote (&phrase)[N], int firstBar,
               int transpose, float velocity, int harmonyTonic = -1) {
  for (const PhraseNote& note : phrase) {
    const double start = at(firstBar, note.start);
    const double length = note.length * kSixteenth * 0.92;
    part.push_back({start, length, note.pitch + transpose, velocity});
    if (harmonyTonic >= 0) {
      part.push_back({start, length, thirdBelow(note.pitch + transpose, harmonyTonic), velocity * 0.7f});
    }
  }
}

void addPads(Score& score) {
  for (int bar = 0; bar < 70; ++bar) {
    const Chord chord = chordOfBar(bar);
    const double length = bar == 68 ? 2 * kBarSeconds : kBarSeconds;
    if (bar == 69) break;  // the last chord is held through the fade
    for (int note : chord.voicing) score.pad.push_back({at(bar, 0), length, note, 0.8f});
  }
}

void addBass(Score& score) {
  for (int bar = 12; bar < 69; ++bar) {
    const Section section = sectionOfBar(bar);
    const int root = chordOfBar(bar).bass;
    if (section == kLift) continue;
    if (section == kBreak) {
      if (bar >= 36) score.bass.push_back({at(bar, 0), kBarSeconds * 0.95, root, 0.55f});
      continue;
    }
    if (section == kFade) {
      score.bass.push_back({at(bar, 0), 2.5, root, 0.8f});
      continue;
    }
    const bool rolling = section == kMain || section == kFinale;
    const bool gallop = section == kGroove && bar >= 24;
    for (int step = 0; step < 16; ++step) {
      const int inBeat = step % 4;
      if (inBeat == 0) continue;  // the kick owns the beat
      if (!rolling && !gallop && inBeat != 2) continue;
      if (gallop && inBeat == 1) continue;
      const int octave = (rolling && inBeat == 2) || (!rolling && step % 8 == 6) ? 12 : 0;
      const float velocity = inBeat == 2 ? 0.95f : 0.75f;
      score.bass.push_back({at(bar, step), kSixteenth * (rolling ? 0.8 : 1.6), root + octave, velocity});
    }
  }
}

void addLead(Score& score) {
  addPhrase(score.lead, kTheme, 24, 0, 0.8f);
  addPhrase(score.softLead, kBreakTune, 32, 0, 0.8f);
  addPhrase(score.lead, kTheme, 40, 0, 0.85f);
  addPhrase(score.lead, kTheme, 48, 0, 0.85f, 9);
  addPhrase(score.lead, kTheme, 60, 2, 0.9f, 11);
  // The finale's theme doubled an octave up, quietly.
  addPhrase(score.softLead, kTheme, 60, 14, 0.45f);
}

void addArpeggio(Score& score) {
  constexpr int kPattern[8] = {0, 1, 2, 3, 2, 1, 3, 2};
  for (int bar = 4; bar < 68; ++bar) {
    const Chord chord = chordOfBar(bar);
    const bool sparse = bar < 8 || sectionOfBar(bar) == kBreak;
    for (int step = 0; step < 16; ++step) {
      if (sparse && step % 2) continue;
      const int note = chord.voicing[kPattern[step % 8]] + 12 + (step >= 8 && step % 4 == 3 ? 12 : 0);
      const float accent = step % 4 == 0 ? 1.0f : 0.7f;
      score.arp.push_back({at(bar, step), kSixteenth * 0.5, note, accent});
    }
  }
}

bool hasDrums(Section section) {
  return section == kBuild || section == kGroove || section == kMain || section == kFinale;
}

void addDrums(Score& score) {
  Lcg random(909);
  for (int bar = 8; bar < 68; ++bar) {
    const Section section = sectionOfBar(bar);
    if (!hasDrums(section)) continue;
    const bool full = section != kBuild;
    for (int beat = 0; beat < 4; ++beat) {
      score.kick.push_back({at(bar, beat * 4), 0.45, 0, 1.0f});
      if ((bar >= 12 || full) && beat % 2 == 1) score.snare.push_back({at(bar, beat * 4), 0.45, 0, 0.9f});
    }
    for (int step = 0; step < 16; ++step) {
      const float humanise = static_cast<float>(random.range(-0.08, 0.08));
      if (!full) {
        if (bar >= 10 && step % 4 == 2) score.closedHat.push_back({at(bar, step), 0.1, 0, 0.7f + humanise});
        continue;
      }
      const bool openHats = section != kGroove || bar >= 24;
      if (openHats && step % 4 == 2) {
        score.openHat.push_back({at(bar, step), 0.6, 0, 0.6f + humanise});
      } else {
        const float velocity = step % 4 == 2 ? 0.8f : (step % 2 ? 0.35f : 0.5f);
        score.closedHat.push_back({at(bar, step), 0.1, 0, velocity + humanise});
      }
    }
  }
  // A snare roll into the groove, and short fills closing the phrases.
  for (int step = 0; step < 16; ++step) {
    score.snare.push_back({at(15, step), 0.2, 0, 0.25f + 0.045f * step});
  }
  for (int bar : {23, 31, 47, 55, 63}) {
    for (int step : {13, 14, 15}) score.snare.push_back({at(bar, step), 0.2, 0, 0.5f + 0.1f * (step - 13)});
  }
  for (int bar : {8, 16, 24, 40, 48, 60, 64, 68}) {
    score.crash.push_back({at(bar, 0), 2.5, 0, bar == 8 ? 0.6f : 1.0f});
  }
  // The show ends on one last hit under the held chord.
  score.kick.push_back({at(68, 0), 0.45, 0, 1.0f});
}

void addRisers(Score& score) {
  score.riser.push_back({at(6, 0), 2 * kBarSeconds, 0, 0.5f});
  for (int bar : {14, 38, 58}) score.riser.push_back({at(bar, 0), 2 * kBarSeconds, 0, 1.0f});
}

}  // namespace

Score composeScore() {
  Score score;
  addPads(score);
  addBass(score);
  addLead(score);
  addArpeggio(score);
  addDrums(score);
  addRisers(score);
  return score;
}

float padBrightness(double seconds) {
  if (seconds < 16) return static_cast<float>(0.15 + 0.5 * seconds / 16);
  const Section section = sectionOfBar(static_cast<int>(seconds / kBarSeconds));
  switch (section) {
    case kBuild: return 0.7f;
    case kGroove: return 0.75f;
    case kBreak: return 0.6f;
    case kLift: return static_cast<float>(0.5 + 0.5 * (seconds - 112) / 8);
    case kFade: return static_cast<float>(0.9 - 0.2 * (seconds - 136) / 4);
    default: return 0.9f;
  }
}

float arpBrightness(double seconds) {
  if (seconds < 16) return static_cast<float>(0.1 + 0.3 * (seconds - 8) / 8);
  if (seconds < 32) return static_cast<float>(0.4 + 0.4 * (seconds - 16) / 16);
  const Section section = sectionOfBar(static_cast<int>(seconds / kBarSeconds));
  if (section == kBreak || section == kLift) return 0.5f;
  return 0.9f;
}

}  // namespace showgen
