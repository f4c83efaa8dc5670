#include "support/gl_context.h"

#include <string>

#include "gfx/frame_target.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "platform/window.h"

bool openTestContext() {
  static const bool ready = [] {
    WindowRequest request;
    request.hidden = true;
    request.width = 256;
    request.height = 256;
    std::string error;
    if (!openWindow(request, error)) return false;
    initGpuPrograms();
    setRenderSize(kTestRenderWidth, kTestRenderHeight);
    setFrameFramebuffer(createOffscreenFrame(kTestRenderWidth, kTestRenderHeight).framebuffer);
    bindOffscreenFramebuffer(0);  // tests of the graphics core draw into the window
    return true;
  }();
  return ready;
}
