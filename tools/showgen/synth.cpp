#include "tools/showgen/synth.h"

#include <array>

namespace showgen {
namespace {

struct CombFilter {
  std::vector<float> line;
  size_t position = 0;
  float store = 0;

  explicit CombFilter(size_t length) : line(length, 0.0f) {}
  float process(float input, float feedback, float damping) {
    const float output = line[position];
    store = output * (1.0f - damping) + store * damping;
    line[position] = input + store * feedback;
    if (++position == line.size()) position = 0;
    return output;
  }
};

struct AllPassFilter {
  std::vector<float> line;
  size_t position = 0;

  explicit AllPassFilter(size_t length) : line(length, 0.0f) {}
  float process(float input) {
    const float delayed = line[position];
    line[position] = input + delayed * 0.5f;
    if (++position == line.size()) position = 0;
    return delayed - input;
  }
};

struct ReverbChannel {
  std::vector<CombFilter> combs;
  std::vector<AllPassFilter> allPasses;

  explicit ReverbChannel(int spread) {
    // Mutually prime lengths (tuned at 44.1 kHz, scaled to 48 kHz).
    constexpr int kCombs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    constexpr int kAllPasses[4] = {556, 441, 341, 225};
    const double scale = kSampleRate / 44100.0;
    for (int length : kCombs) combs.emplace_back(static_cast<size_t>((length + spread) * scale));
    for (int length : kAllPasses) allPasses.emplace_back(static_cast<size_t>((length + spread) * scale));
  }
  float process(float input, float feedback, float damping) {
    float sum = 0;
    for (CombFilter& comb : combs) sum += comb.process(input, feedback, damping);
    for (AllPassFilter& allPass : allPasses) sum = allPass.process(sum);
    return sum;
  }
};

}  // namespace

void applyPingPongDelay(const std::vector<float>& send, StereoBuffer& out, size_t delayFrames,
                        float feedback, float wet) {
  std::vector<float> lineLeft(delayFrames, 0.0f), lineRight(delayFrames, 0.0f);
  float toneLeft = 0, toneRight = 0;
  size_t position = 0;
  for (size_t i = 0; i < out.frames(); ++i) {
    const float echoLeft = lineLeft[position];
    const float echoRight = lineRight[position];
    // Each echo crosses to the other side and loses some treble.
    toneLeft += 0.35f * (echoRight - toneLeft);
    toneRight += 0.35f * (echoLeft - toneRight);
    lineLeft[position] = send[i] + toneLeft * feedback;
    lineRight[position] = toneRight * feedback;
    out.left[i] += echoLeft * wet;
    out.right[i] += echoRight * wet;
    if (++position == delayFrames) position = 0;
  }
}

void applyReverb(const std::vector<float>& send, StereoBuffer& out, float roomSize, float damping,
                 float wet) {
  ReverbChannel left(0), right(23);
  const float feedback = 0.7f + 0.28f * roomSize;
  constexpr float kInputGain = 0.015f;
  for (size_t i = 0; i < out.frames(); ++i) {
    const float input = send[i] * kInputGain;
    out.left[i] += left.process(input, feedback, damping) * wet;
    out.right[i] += right.process(input, feedback, damping) * wet;
  }
}

}  // namespace showgen
