#include "tools/showgen/instruments.h"

#include <algorithm>
#include <array>

namespace showgen {
namespace {

size_t toFrame(double seconds) { return static_cast<size_t>(seconds * kSampleRate + 0.5); }

// Frames [first, first + count) clipped to the buffer.
size_t framesFrom(size_t first, double seconds, size_t bufferFrames) {
  if (first >= bufferFrames) return 0;
  return std::min(toFrame(seconds), bufferFrames - first);
}

// Six detuned square waves, the metallic core of hats and cymbals.
struct MetalOscillator {
  std::array<float, 6> phases{};
  std::array<float, 6> increments{};
  MetalOscillator() {
    constexpr float kHz[6] = {205.3f, 304.4f, 369.6f, 522.7f, 540.0f, 800.0f};
    for (int i = 0; i < 6; ++i) increments[i] = kHz[i] * 2.4f / kSampleRate;
  }
  float next() {
    float sum = 0;
    for (int i = 0; i < 6; ++i) {
      phases[i] += increments[i];
      if (phases[i] >= 1.0f) phases[i] -= 1.0f;
      sum += phases[i] < 0.5f ? 1.0f : -1.0f;
    }
    return sum * (1.0f / 6.0f);
  }
};

}  // namespace

void renderPadNote(const NoteEvent& note, StereoBuffer& out, float gain) {
  constexpr float kAttack = 0.45f, kRelease = 0.7f;
  constexpr float kDetuneCents[4] = {-11.0f, -4.0f, 4.5f, 12.0f};
  constexpr float kLeft[4] = {0.9f, 0.35f, 0.75f, 0.3f};
  constexpr float kRight[4] = {0.3f, 0.75f, 0.35f, 0.9f};
  const float hz = midiToHz(static_cast<float>(note.pitch));
  std::array<SawOscillator, 4> saws;
  for (int i = 0; i < 4; ++i) {
    saws[i].setFrequency(hz * centsToRatio(kDetuneCents[i]));
    saws[i].phase = 0.25f * i;
  }
  const size_t first = toFrame(note.start);
  const size_t count = framesFrom(first, note.length + 4 * kRelease, out.frames());
  const float level = gain * note.velocity * 0.25f;
  for (size_t i = 0; i < count; ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float envelope =
        level * attackRelease(t, kAttack, static_cast<float>(note.length), kRelease) * tailFade(i, count);
    float left = 0, right = 0;
    for (int v = 0; v < 4; ++v) {
      const float s = saws[v].next();
      left += s * kLeft[v];
      right += s * kRight[v];
    }
    out.left[first + i] += left * envelope;
    out.right[first + i] += right * envelope;
  }
}

void renderBassNote(const NoteEvent& note, std::vector<float>& out, float gain) {
  const float hz = midiToHz(static_cast<float>(note.pitch));
  SawOscillator saw;
  saw.setFrequency(hz);
  SineOscillator sine;
  sine.setFrequency(hz);
  StateVariableFilter filter;
  const size_t first = toFrame(note.start);
  const size_t count = framesFrom(first, note.length + 0.15, out.size());
  const float level = gain * note.velocity;
  for (size_t i = 0; i < count; ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    if (i % 16 == 0) filter.set(110.0f + 1500.0f * note.velocity * std::exp(-t / 0.08f), 0.45f);
    const float tone = filter.process(saw.next()).low * 0.7f + sine.next() * 0.55f;
    const float envelope = attackRelease(t, 0.003f, static_cast<float>(note.length), 0.03f);
    out[first + i] += tone * envelope * level * tailFade(i, count);
  }
}

void renderLeadNote(const NoteEvent& note, std::vector<float>& out, float gain, bool soft) {
  const float hz = midiToHz(static_cast<float>(note.pitch));
  SawOscillator sawA, sawB;
  SineOscillator sine, vibrato;
  vibrato.setFrequency(5.2f);
  StateVariableFilter filter;
  const float release = soft ? 0.35f : 0.12f;
  const size_t first = toFrame(note.start);
  const size_t count = framesFrom(first, note.length + 5 * release, out.size());
  const float level = gain * note.velocity;
  for (size_t i = 0; i < count; ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    if (i % 16 == 0) {
      // Vibrato grows in after the attack, as a player would add it.
      const float depth = 0.004f * smoothstepUnit((t - 0.18f) / 0.3f);
      const float bend = 1.0f + depth * vibrato.next();
      sawA.setFrequency(hz * bend * 0.9965f);
      sawB.setFrequency(hz * bend * 1.0035f);
      sine.setFrequency(hz * bend);
      const float cutoff = soft ? 1400.0f + 600.0f * std::exp(-t / 0.3f)
                                : 2200.0f + 4200.0f * std::exp(-t / 0.15f);
      filter.set(cutoff, soft ? 0.1f : 0.35f);
      for (int skip = 1; skip < 16; ++skip) vibrato.next();
    }
    const float raw = soft ? sine.next() * 0.8f + (sawA.next() + sawB.next()) * 0.15f
                           : (sawA.next() + sawB.next()) * 0.5f + sine.next() * 0.3f;
    const float envelope =
        attackRelease(t, soft ? 0.06f : 0.008f, static_cast<float>(note.length), release);
    out[first + i] += filter.process(raw).low * envelope * level * tailFade(i, count);
  }
}

void renderPluckNote(const NoteEvent& note, StereoBuffer& out, float gain) {
  const float hz = midiToHz(static_cast<float>(note.pitch));
  SineOscillator carrier, modulator;
  carrier.setFrequency(hz);
  modulator.setFrequency(hz * 2.0f);
  const size_t first = toFrame(note.start);
  const size_t count = framesFrom(first, 0.45, out.frames());
  // Spread the notes across the stereo field by pitch.
  const float pan = 0.5f + 0.35f * std::sin(note.pitch * 1.7f);
  const float level = gain * note.velocity;
  for (size_t i = 0; i < count; ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float index = 0.45f * std::exp(-t / 0.04f) + 0.05f;
    const float tone = carrier.next(index * modulator.next());
    const float value = tone * std::exp(-t / 0.12f) * std::fmin(1.0f, t / 0.002f) * level *
                        tailFade(i, count);
    out.left[first + i] += value * (1.0f - pan);
    out.right[first + i] += value * pan;
  }
}

void renderKick(const NoteEvent& hit, std::vector<float>& out, float gain, Lcg& random) {
  const size_t first = toFrame(hit.start);
  const size_t count = framesFrom(first, hit.length, out.size());
  float phase = 0;
  const float level = gain * hit.velocity;
  for (size_t i = 0; i < count; ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float hz = 46.0f + 130.0f * std::exp(-t / 0.03f) + 40.0f * std::exp(-t / 0.004f);
    phase += hz / kSampleRate;
    const float body = std::sin(kTwoPi * phase) * std::exp(-t / 0.16f) * std::fmin(1.0f, t / 0.0015f);
    const float click = random.noise() * std::exp(-t / 0.0025f) * 0.25f;
    out[first + i] += std::tanh(1.5f * (body + click)) * (1.0f / std::tanh(1.5f)) * level *
                      tailFade(i, count);
  }
}

void renderSnare(const NoteEvent& hit, StereoBuffer& out, float gain, Lcg& random) {
  const size_t first = toFrame(hit.start);
  const size_t count = framesFrom(first, hit.length, out.frames());
  SineOscillator tone;
  StateVariableFilter rattle, clap;
  rattle.set(3200.0f, 0.2f);
  clap.set(1300.0f, 0.55f);
  const float level = gain * hit.velocity;
  for (size_t i = 0; i < count; ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    tone.setFrequency(170.0f + 60.0f * std::exp(-t / 0.02f));
    const float body = tone.next() * std::exp(-t / 0.05f) * 0.55f;
    const float noise = random.noise();
    const float wires = rattle.process(noise).band * std::exp(-t / 0.13f) * 1.4f;
    // Three quick claps, then the room.
    float bursts = std::exp(-t / 0.09f) * 0.4f;
    for (float onset : {0.0f, 0.011f, 0.022f}) {
      if (t >= onset) bursts += std::exp(-(t - onset) / 0.005f);
    }
    const float hand = clap.process(noise).band * bursts * 0.9f;
    const float value = (body + wires + hand) * level * tailFade(i, count);
    out.left[first + i] += value * 0.95f;
    out.right[first + i] += value;
  }
}

void renderHat(const NoteEvent& hit, StereoBuffer& out, float gain, bool open, Lcg& random) {
  const size_t first = toFrame(hit.start);
  const size_t count = framesFrom(first, hit.length, out.frames());
  MetalOscillator metal;
  StateVariableFilter highPass;
  highPass.set(7500.0f, 0.3f);
  const float decay = open ? 0.16f : 0.028f;
  const float level = gain * hit.velocity;
  for (size_t i = 0; i < count; ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float source = metal.next() * 0.6f + random.noise() * 0.6f;
    const float value = highPass.process(source).high * std::exp(-t / decay) * level * tailFade(i, count);
    out.left[first + i] += value * 0.75f;
    out.right[first + i] += value;
  }
}

void renderCrash(const NoteEvent& hit, StereoBuffer& out, float gain, Lcg& random) {
  const size_t first = toFrame(hit.start);
  const size_t count = framesFrom(first, hit.length, out.frames());
  MetalOscillator metal;
  StateVariableFilter leftFilter, rightFilter;
  leftFilter.set(5000.0f, 0.2f);
  rightFilter.set(5200.0f, 0.2f);
  const float level = gain * hit.velocity;
  for (size_t i = 0; i < count; ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float ring = metal.next() * 0.4f;
    const float envelope = std::exp(-t / 0.7f) * std::fmin(1.0f, t / 0.002f) * level * tailFade(i, count);
    out.left[first + i] += leftFilter.process(random.noise() + ring).high * envelope;
    out.right[first + i] += rightFilter.process(random.noise() + ring).high * envelope;
  }
}

void renderRiser(const NoteEvent& event, StereoBuffer& out, float gain, Lcg& random) {
  const size_t first = toFrame(event.start);
  const size_t count = framesFrom(first, event.length, out.frames());
  StateVariableFilter leftFilter, rightFilter;
  const float level = gain * event.velocity;
  for (size_t i = 0; i < count; ++i) {
    const float progress = static_cast<float>(i) / static_cast<float>(count);
    if (i % 32 == 0) {
      const float cutoff = 250.0f * std::exp2(5.3f * progress);
      leftFilter.set(cutoff, 0.6f);
      rightFilter.set(cutoff * 1.05f, 0.6f);
    }
    const float envelope = progress * progress * progress * level * tailFade(i, count);
    out.left[first + i] += leftFilter.process(random.noise()).band * envelope;
    out.right[first + i] += rightFilter.process(random.noise()).band * envelope;
  }
}

}  // namespace showgen
