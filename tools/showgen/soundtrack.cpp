#include "tools/showgen/soundtrack.h"

#include <algorithm>
#include <deque>
#include <thread>

#include "tools/showgen/instruments.h"
#include "tools/showgen/mp3_encoder.h"

namespace showgen {
namespace {

struct Groups {
  std::vector<float> kick, bass, lead, softLead;
  StereoBuffer drums, pads, arp, effects;
  Groups()
      : kick(kSongFrames), bass(kSongFrames), lead(kSongFrames), softLead(kSongFrames),
        drums(kSongFrames), pads(kSongFrames), arp(kSongFrames), effects(kSongFrames) {}
};

// The pads, the heaviest part, are played on a second thread; everything
// else, and all the noise (one random sequence), on this one.
void playScore(const Score& score, Groups& groups) {
  std::thread padPlayer([&] {
    for (const NoteEvent& note : score.pad) renderPadNote(note, groups.pads, 0.36f);
  });
  Lcg random(140);
  for (const NoteEvent& note : score.bass) renderBassNote(note, groups.bass, 0.9f);
  for (const NoteEvent& note : score.lead) renderLeadNote(note, groups.lead, 0.38f, false);
  for (const NoteEvent& note : score.softLead) renderLeadNote(note, groups.softLead, 0.32f, true);
  for (const NoteEvent& note : score.arp) renderPluckNote(note, groups.arp, 0.24f);
  for (const NoteEvent& hit : score.kick) renderKick(hit, groups.kick, 0.8f, random);
  for (const NoteEvent& hit : score.snare) renderSnare(hit, groups.drums, 0.6f, random);
  for (const NoteEvent& hit : score.closedHat) renderHat(hit, groups.drums, 0.2f, false, random);
  for (const NoteEvent& hit : score.openHat) renderHat(hit, groups.drums, 0.15f, true, random);
  for (const NoteEvent& hit : score.crash) renderCrash(hit, groups.drums, 0.2f, random);
  for (const NoteEvent& event : score.riser) renderRiser(event, groups.effects, 0.5f, random);
  padPlayer.join();
}

// Low-pass over a stereo group whose cutoff follows `brightness` (0..1) over
// the song, between `lowest` Hz and `lowest` * 2^octaves.
void sweepLowPass(StereoBuffer& group, float (*brightness)(double), float lowest, float octaves) {
  StateVariableFilter left, right;
  for (size_t i = 0; i < group.frames(); ++i) {
    if (i % 64 == 0) {
      const float cutoff = lowest * std::exp2(octaves * brightness(static_cast<double>(i) / kSampleRate));
      left.set(cutoff, 0.15f);
      right.set(cutoff, 0.15f);
    }
    group.left[i] = left.process(group.left[i]).low;
    group.right[i] = right.process(group.right[i]).low;
  }
}

// 1 normally, dipping after every kick and recovering within a beat: the
// pumping of a side-chained compressor.
std::vector<float> kickDucking(const std::vector<NoteEvent>& kicks) {
  std::vector<float> amount(kSongFrames, 0.0f);
  for (const NoteEvent& kick : kicks) {
    const size_t first = static_cast<size_t>(kick.start * kSampleRate);
    const size_t count = std::min<size_t>(static_cast<size_t>(0.5 * kSampleRate), kSongFrames - first);
    for (size_t i = 0; i < count; ++i) {
      const float t = static_cast<float>(i) / kSampleRate;
      const float shape = std::fmin(1.0f, t / 0.004f) * std::exp(-t / 0.11f);
      amount[first + i] = std::max(amount[first + i], shape);
    }
  }
  return amount;
}

void duck(std::vector<float>& samples, const std::vector<float>& amount, float depth) {
  for (size_t i = 0; i < samples.size(); ++i) samples[i] *= 1.0f - depth * amount[i];
}

void duck(StereoBuffer& group, const std::vector<float>& amount, float depth) {
  duck(group.left, amount, depth);
  duck(group.right, amount, depth);
}

// Brick-wall limiter with look-ahead: the gain reaches what a peak needs by
// the time the peak arrives and recovers slowly afterwards.
void limit(StereoBuffer& mix, float ceiling) {
  constexpr size_t kLookAhead = 96;  // 2 ms
  const float release = std::exp(-1.0f / (0.08f * kSampleRate));
  const size_t n = mix.frames();
  std::vector<float> needed(n);
  for (size_t i = 0; i < n; ++i) {
    const float peak = std::max(std::fabs(mix.left[i]), std::fabs(mix.right[i]));
    needed[i] = peak > ceiling ? ceiling / peak : 1.0f;
  }
  // Smallest need within the look-ahead window, then the release.
  std::vector<float> held(n);
  std::deque<size_t> window;
  float gain = 1.0f;
  for (size_t i = n; i-- > 0;) {
    while (!window.empty() && needed[window.back()] >= needed[i]) window.pop_back();
    window.push_back(i);
    while (window.front() > i + kLookAhead) window.pop_front();
    held[i] = needed[window.front()];
  }
  for (size_t i = 0; i < n; ++i) {
    gain = std::min(held[i], 1.0f - (1.0f - gain) * release);
    held[i] = gain;
  }
  // Averaging over the look-ahead turns steps into ramps without letting any
  // peak through: every value averaged at a peak is at most its need.
  double sum = 0;
  for (size_t i = 0; i < n; ++i) {
    sum += held[i];
    if (i > kLookAhead) sum -= held[i - kLookAhead - 1];
    const float smooth = static_cast<float>(sum / static_cast<double>(std::min(i + 1, kLookAhead + 1)));
    const float applied = std::min(smooth, held[i]);
    mix.left[i] *= applied;
    mix.right[i] *= applied;
  }
}

void fadeEdges(StereoBuffer& mix) {
  const size_t fadeIn = kSampleRate / 100;
  for (size_t i = 0; i < fadeIn; ++i) {
    const float g = static_cast<float>(i) / fadeIn;
    mix.left[i] *= g;
    mix.right[i] *= g;
  }
  const size_t fadeStart = static_cast<size_t>(136.0 * kSampleRate);
  for (size_t i = fadeStart; i < mix.frames(); ++i) {
    const float t = static_cast<float>(i - fadeStart) / static_cast<float>(mix.frames() - fadeStart);
    const float g = 0.5f + 0.5f * std::cos(t * std::numbers::pi_v<float>);
    mix.left[i] *= g;
    mix.right[i] *= g;
  }
}

void normalisePeak(StereoBuffer& mix, float dbfs) {
  float peak = 0;
  for (size_t i = 0; i < mix.frames(); ++i) {
    peak = std::max({peak, std::fabs(mix.left[i]), std::fabs(mix.right[i])});
  }
  if (peak <= 0) return;
  const float gain = std::pow(10.0f, dbfs / 20.0f) / peak;
  for (size_t i = 0; i < mix.frames(); ++i) {
    mix.left[i] *= gain;
    mix.right[i] *= gain;
  }
}

}  // namespace

StereoBuffer renderSoundtrack() {
  const Score score = composeScore();
  Groups groups;
  playScore(score, groups);

  sweepLowPass(groups.pads, padBrightness, 220.0f, 5.8f);
  sweepLowPass(groups.arp, arpBrightness, 500.0f, 4.8f);
  const std::vector<float> ducking = kickDucking(score.kick);
  duck(groups.pads, ducking, 0.55f);
  duck(groups.bass, ducking, 0.8f);
  duck(groups.arp, ducking, 0.35f);
  duck(groups.lead, ducking, 0.2f);

  StereoBuffer mix(kSongFrames);
  std::vector<float> echoSend(kSongFrames), reverbSend(kSongFrames);
  for (size_t i = 0; i < kSongFrames; ++i) {
    const float centre = groups.kick[i] + groups.bass[i];
    const float lead = groups.lead[i] + groups.softLead[i];
    mix.left[i] = centre + lead * 0.95f + groups.pads.left[i] + groups.arp.left[i] +
                  groups.drums.left[i] + groups.effects.left[i];
    mix.right[i] = centre + lead + groups.pads.right[i] + groups.arp.right[i] +
                   groups.drums.right[i] + groups.effects.right[i];
    echoSend[i] = groups.lead[i] * 0.35f + groups.softLead[i] * 0.45f +
                  (groups.arp.left[i] + groups.arp.right[i]) * 0.3f;
    reverbSend[i] = groups.lead[i] * 0.5f + groups.softLead[i] * 0.9f +
                    (groups.pads.left[i] + groups.pads.right[i]) * 0.2f +
                    (groups.drums.left[i] + groups.drums.right[i]) * 0.12f +
                    (groups.effects.left[i] + groups.effects.right[i]) * 0.3f;
  }
  applyPingPongDelay(echoSend, mix, static_cast<size_t>(0.375 * kSampleRate), 0.42f, 0.5f);
  applyReverb(reverbSend, mix, 0.82f, 0.35f, 1.0f);

  normalisePeak(mix, 2.5f);  // push the loudest peaks about 2.5 dB into the limiter
  limit(mix, 1.0f);
  fadeEdges(mix);
  normalisePeak(mix, kPeakDbfs);
  return mix;
}

GeneratedFiles generateSoundtrack() {
  const StereoBuffer mix = renderSoundtrack();
  return {{"quarno/velmira.mp3", encodeMp3(mix.left, mix.right, Mp3Settings{})}};
}

}  // namespace showgen
