// The built show as a viewer watches it: rendered small at ten frames a
// second as one range (so the kinds that carry state from frame to frame are
// warm), no frame turns upside down against the one before, no stretch is
// dark, the glow visibly blooms wherever it runs, and every text stands whole
// on screen at some moment of its window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "app/offline_show.h"
#include "built_show.h"
#include "gfx/curve.h"

namespace {

constexpr int kWidth = kShowWidth, kHeight = kShowHeight;
constexpr float kFrameStep = 0.1f;
// The opening fade-in and the closing fade to black may be dark.
constexpr float kDarkAllowedAtStart = 1.0f, kDarkAllowedAtEnd = 2.0f;
// Mean brightness (0..255) below which a frame reads as black, and below
// which four seconds in a row read as a dark stretch.
constexpr double kNearBlack = 16, kDarkStretch = 30;
constexpr float kStretchSeconds = 4.0f;

double meanBrightness(const Pixels& pixels) {
  double sum = 0;
  for (size_t i = 0; i + 2 < pixels.size(); i += 3)
    sum += 0.299 * pixels[i] + 0.587 * pixels[i + 1] + 0.114 * pixels[i + 2];
  return sum / double(pixels.size() / 3);
}

// The mean difference per channel between `a` and `b`, `b` read upside down
// when `flipB`.
double meanDifference(const Pixels& a, const Pixels& b, bool flipB) {
  const size_t row = size_t(kWidth) * 3;
  double sum = 0;
  for (int y = 0; y < kHeight; ++y) {
    const uint8_t* rowA = &a[y * row];
    const uint8_t* rowB = &b[(flipB ? kHeight - 1 - y : y) * row];
    for (size_t i = 0; i < row; ++i) sum += std::abs(int(rowA[i]) - int(rowB[i]));
  }
  return sum / double(a.size());
}

// A frame is the mirror of the one before when it changed clearly and the
// flipped frame before is much nearer to it than the frame before itself.
bool mirrorsTheFrameBefore(const Pixels& frame, const Pixels& before) {
  const double straight = meanDifference(frame, before, false);
  const double flipped = meanDifference(frame, before, true);
  return straight > 6 && flipped < 0.6 * straight;
}

// Per pixel: whether some channel differs by more than `level`.
std::vector<bool> changedMask(const Pixels& a, const Pixels& b, int level) {
  std::vector<bool> mask(a.size() / 3);
  for (size_t p = 0; p < mask.size(); ++p)
    for (size_t c = 0; c < 3; ++c)
      if (std::abs(int(a[p * 3 + c]) - int(b[p * 3 + c])) > level) mask[p] = true;
  return mask;
}

double share(const std::vector<bool>& mask) {
  return double(std::count(mask.begin(), mask.end(), true)) / double(mask.size());
}

// Whether every letter of the text has its place on the path at this frame
// (the text kind draws a letter only while its own path time lies inside the
// path's keys).
bool everyLetterIsOnItsPath(const Effect& text) {
  std::string letters;
  text.getTexture("text", letters);
  float pathTime[4] = {}, spacing[4] = {};
  text.getFloat("textTime", pathTime, 1);
  text.getFloat("textSpacing", spacing, 1);
  const Curve* path = nullptr;
  text.getCurve("textMove", path);
  if (!path || path->keys.empty()) return false;
  if (path->closed) return true;
  const float last = path->keys.back().time;
  for (size_t index = 0; index < letters.size(); ++index) {
    const float letterTime = pathTime[0] - float(index) * spacing[0];
    if (letters[index] != ' ' && !(letterTime > 0 && letterTime < last)) return false;
  }
  return true;
}

// The text drawn (the pixels it changes) keeps off the frame's edges: a letter
// that stood partly outside would touch one, and the letters follow one
// path, so none can lie wholly outside while its neighbours are inside.
bool textKeepsInsideTheFrame(const std::vector<bool>& mask) {
  constexpr int kMargin = 2, kMinimumPixels = 40;
  int pixels = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      if (!mask[y * kWidth + x]) continue;
      if (x < kMargin || y < kMargin || x >= kWidth - kMargin || y >= kHeight - kMargin)
        return false;
      ++pixels;
    }
  return pixels >= kMinimumPixels;
}

std::string listOfTimes(const std::vector<float>& times) {
  std::ostringstream list;
  for (float time : times) list << time << " s; ";
  return list.str();
}

class ShowRangeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { show = &builtShow(); }

  static Pixels render(float time) { return renderShowFrame(time, kFrameStep); }
  static Pixels renderWithout(const std::string& kind, float time) {
    return renderShowFrameWithout(kind, time, kFrameStep);
  }

  static std::vector<const Effect*> effectsOfKind(const std::string& kind) {
    std::vector<const Effect*> found;
    for (const std::unique_ptr<Effect>& effect : show->effects)
      if (effect->kind == kind) found.push_back(effect.get());
    return found;
  }

  static OfflineShow* show;
};

OfflineShow* ShowRangeTest::show = nullptr;

TEST_F(ShowRangeTest, NoFrameMirrorsTheOneBeforeAndNoStretchIsDark) {
  const float end = show->engine.endTime;
  const int frames = int(std::lround(end / kFrameStep));
  const int stretchFrames = int(std::lround(kStretchSeconds / kFrameStep));
  std::vector<float> mirrored, nearBlack, darkStretches;
  std::vector<double> brightness;
  Pixels before;
  for (int index = 0; index < frames; ++index) {
    const float time = index * kFrameStep;
    const Pixels frame = render(time);
    if (!before.empty() && mirrorsTheFrameBefore(frame, before)) mirrored.push_back(time);
    const bool mayBeDark = time < kDarkAllowedAtStart || time >= end - kDarkAllowedAtEnd;
    brightness.push_back(mayBeDark ? 255.0 : meanBrightness(frame));
    if (brightness.back() < kNearBlack) nearBlack.push_back(time);
    before = frame;
  }
  double stretchSum = 0;
  for (int index = 0; index < frames; ++index) {
    stretchSum += brightness[index];
    if (index >= stretchFrames) stretchSum -= brightness[index - stretchFrames];
    if (index + 1 >= stretchFrames && stretchSum / stretchFrames < kDarkStretch)
      darkStretches.push_back((index + 1 - stretchFrames) * kFrameStep);
  }
  EXPECT_TRUE(mirrored.empty()) << "upside down against the frame before at "
                                << listOfTimes(mirrored);
  EXPECT_TRUE(nearBlack.empty()) << "near-black frames at " << listOfTimes(nearBlack);
  EXPECT_TRUE(darkStretches.empty()) << "dark 4 s stretches from " << listOfTimes(darkStretches);
}

// Inside each glow's window (its fades aside) the glow brightens a large part
// of the picture by a clearly visible amount.
TEST_F(ShowRangeTest, TheGlowBloomsVisiblyWhereverItRuns) {
  constexpr float kFadeAside = 1.0f, kSampleStep = 0.5f;
  constexpr int kVisibleLevel = 10;
  constexpr double kLargePart = 0.25;
  const std::vector<const Effect*> glows = effectsOfKind("glow");
  ASSERT_FALSE(glows.empty());
  for (const Effect* glow : glows) {
    std::ostringstream faint;
    for (float time = glow->start + kFadeAside; time < glow->start + glow->length - kFadeAside;
         time += kSampleStep) {
      render(time - kFrameStep);
      const Pixels with = render(time);
      const Pixels without = renderWithout("glow", time);
      const double changed = share(changedMask(with, without, kVisibleLevel));
      if (changed < kLargePart) faint << time << " s (" << changed << "); ";
    }
    EXPECT_TRUE(faint.str().empty()) << "the glow from " << glow->start
                                     << " s is faint (share of the picture it changes) at "
                                     << faint.str();
  }
}

TEST_F(ShowRangeTest, EveryTextStandsWholeOnScreenAtSomeMomentOfItsWindow) {
  constexpr int kTextLevel = 24;
  const std::vector<const Effect*> texts = effectsOfKind("text");
  ASSERT_FALSE(texts.empty());
  for (const Effect* text : texts) {
    bool whole = false;
    for (float time = text->start; time < text->start + text->length && !whole;
         time += kFrameStep) {
      const Pixels with = render(time);
      if (!everyLetterIsOnItsPath(*text)) continue;
      const Pixels without = renderWithout("text", time);
      whole = textKeepsInsideTheFrame(changedMask(with, without, kTextLevel));
    }
    std::string letters;
    text->getTexture("text", letters);
    EXPECT_TRUE(whole) << "\"" << letters << "\" from " << text->start
                       << " s is never whole on screen";
  }
}

}  // namespace
