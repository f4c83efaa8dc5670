#include "built_show.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

OfflineShow& builtShow() {
  static OfflineShow* show = [] {
    std::filesystem::current_path(VELMIRA_SHOW_DIR);
    auto* opened = new OfflineShow;
    std::string error;
    if (!openOfflineShow(*opened, kShowWidth, kShowHeight, error) ||
        !loadOfflineShow(*opened, error)) {
      ADD_FAILURE() << error;
      std::exit(1);
    }
    return opened;
  }();
  return *show;
}

Pixels renderShowFrame(float time, float timeStep) {
  Pixels pixels;
  renderOfflineFrame(builtShow(), time, timeStep, pixels);
  return pixels;
}

Pixels renderShowFrameWithout(const std::string& kind, float time, float timeStep) {
  OfflineShow& show = builtShow();
  EffectList all;
  all.swap(show.effects);
  std::vector<size_t> kept;
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i]->kind != kind) {
      kept.push_back(i);
      show.effects.push_back(std::move(all[i]));
    }
  Pixels pixels = renderShowFrame(time, timeStep);
  for (size_t j = 0; j < kept.size(); ++j) all[kept[j]] = std::move(show.effects[j]);
  show.effects.swap(all);
  return pixels;
}
