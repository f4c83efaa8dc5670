// A hidden GL context shared by every drawing test of this binary: opened on
// first use and kept until the process ends. Tests skip when no display can
// be reached (run them under xvfb-run).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "gfx/gl_entry_points.h"
#include "platform/window.h"

inline bool glContextReady() {
  static const bool ready = [] {
    WindowRequest request;
    request.hidden = true;
    request.width = 64;
    request.height = 64;
    std::string error;
    if (!openWindow(request, error)) return false;
    loadGlEntryPoints();
    return true;
  }();
  return ready;
}

class GlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!glContextReady()) GTEST_SKIP() << "no GL context (run under xvfb-run)";
  }
};
