// The built show, rendered small: frames sampled every bar are lit and
// differ from their neighbours, every registered kind changes the picture
// inside its own window, and the whole show renders offline without a word.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/offline_show.h"
#include "built_show.h"
#include "effects/effect_kinds.h"
#include "music/music.h"
#include "support/temp_dir.h"

namespace {

constexpr float kBar = 2.0f;
constexpr float kKindMinimumSeconds = 4.0f;

// The share of pixels whose brightest channel exceeds `level`.
double litShare(const Pixels& pixels, int level) {
  size_t lit = 0;
  for (size_t i = 0; i + 2 < pixels.size(); i += 3)
    if (std::max({pixels[i], pixels[i + 1], pixels[i + 2]}) > level) ++lit;
  return double(lit) / double(pixels.size() / 3);
}

// The share of pixels where some channel differs by more than a viewer's
// threshold: noise and dithering stay below it.
double changedShare(const Pixels& a, const Pixels& b) {
  size_t changed = 0;
  for (size_t i = 0; i + 2 < a.size(); i += 3)
    for (size_t c = 0; c < 3; ++c)
      if (std::abs(int(a[i + c]) - int(b[i + c])) > 24) {
        ++changed;
        break;
      }
  return double(changed) / double(a.size() / 3);
}

// The frames here are a frame at 30 fps apart from the one before.
class ShowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { show = &builtShow(); }

  static Pixels render(float time) { return renderShowFrame(time, 1 / 30.0f); }
  static Pixels renderWithout(const std::string& kind, float time) {
    return renderShowFrameWithout(kind, time, 1 / 30.0f);
  }

  // The frame at `time` after two seconds of frames before it, so that the
  // running spectrum averages have followed what was heard.
  static Pixels renderAfterRunUp(float time) {
    for (float before = time - 2; before < time; before += 1 / 30.0f) render(before);
    return render(time);
  }

  static OfflineShow* show;
};

OfflineShow* ShowTest::show = nullptr;

TEST_F(ShowTest, FramesSampledEveryBarAreLitAndDifferFromTheFrameBefore) {
  const float end = show->engine.endTime;
  Pixels previous;
  for (float time = 0; time < end; time += kBar) {
    const Pixels frame = render(time);
    EXPECT_GT(litShare(frame, 40), 0.02) << "a black frame at " << time << " s";
    if (!previous.empty()) {
      EXPECT_GT(changedShare(frame, previous), 0.02)
          << "the frame at " << time << " s repeats the one a bar before";
    }
    previous = frame;
  }
}

TEST_F(ShowTest, EveryKindChangesThePictureInsideItsLongestWindow) {
  std::map<std::string, const Effect*> longest;
  for (const std::unique_ptr<Effect>& effect : show->effects) {
    const Effect*& best = longest[effect->kind];
    if (!best || effect->length > best->length) best = effect.get();
  }
  for (std::string_view name : effectKindNames()) {
    const std::string kind(name);
    SCOPED_TRACE(kind);
    ASSERT_TRUE(longest.count(kind)) << "the kind is not on the timeline";
    const Effect& effect = *longest[kind];
    EXPECT_GE(effect.length, kKindMinimumSeconds);
    const float middle = effect.start + effect.length / 2;
    // A frame before settles what follows the frames before it.
    render(middle - 1 / 30.0f);
    const Pixels with = render(middle);
    const Pixels without = renderWithout(kind, middle);
    EXPECT_GT(changedShare(with, without), 0.01) << "no visible change at " << middle << " s";
  }
}

void silence(float* values, int) { std::fill_n(values, 2048, 0.0f); }

// The particle kinds carry state from frame to frame whatever the music does,
// so the comparison is made for the kinds without particles.
TEST_F(ShowTest, SpectrumKindsDrawDifferentlyWithTheMusicThanWithSilence) {
  for (const char* name : {"spektrometri", "twist"}) {
    const std::string kind = name;
    SCOPED_TRACE(kind);
    const auto effect = std::find_if(show->effects.begin(), show->effects.end(),
                                     [&](const auto& e) { return e->kind == kind; });
    ASSERT_NE(effect, show->effects.end());
    const float middle = (*effect)->start + (*effect)->length / 2;
    const Pixels withMusic = renderAfterRunUp(middle);
    setSpectrumSource(silence);
    const Pixels silent = renderAfterRunUp(middle);
    setSpectrumSource(nullptr);
    EXPECT_GT(changedShare(withMusic, silent), 0.01);
  }
}

TEST(WholeShow, RendersOfflineWithoutAMessage) {
  TempDir temp;
  const std::string command = std::string("VELMIRA_NO_DIALOGS=1 " VELMIRA_TOOL
                                          " render --show " VELMIRA_SHOW_DIR
                                          " --from 0 --to 140 --fps 2 --size 160x90"
                                          " -o frame%04d.png >out.txt 2>err.txt");
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::ifstream err("err.txt");
  std::stringstream messages;
  messages << err.rdbuf();
  EXPECT_EQ(messages.str(), "");
  EXPECT_TRUE(std::filesystem::exists("frame0279.png"));
}

}  // namespace
