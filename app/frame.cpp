#include "app/frame.h"

#include "app/presentation.h"
#include "framework/timeline.h"
#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "gfx/screen_quad.h"
#include "gfx/texture_pool.h"
#include "platform/message.h"

namespace {

// What the effects of a frame change in the drawing state is undone after
// them, and they start from the identity matrices, so that the next frame's
// effects start as the presentation leaves the state, whichever effects ran
// before: a render that starts inside the show, or a seek, draws what playing
// from the start draws. It is undone however the effects end: a data error
// diverted while authoring leaves the frame by an exception, and the next
// frame must find the attribute stacks as deep as before.
struct KeptDrawingState {
  KeptDrawingState() {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    setup2D();
  }
  ~KeptDrawingState() {
    glPopClientAttrib();
    glPopAttrib();
  }
  KeptDrawingState(const KeptDrawingState&) = delete;
  KeptDrawingState& operator=(const KeptDrawingState&) = delete;
};

}  // namespace

void drawShowPicture(const EngineState& engine, const EffectList& effects) {
  drawShowPicture(engine, effects, std::vector<bool>(effects.size(), true));
}

void drawShowPicture(const EngineState& engine, const EffectList& effects,
                     const std::vector<bool>& chosen) {
  glViewport(0, 0, renderWidth(), renderHeight());
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const KeptDrawingState kept;
  try {
    runTimeline(effects, engine.currentTime, engine.frameTimeStep, chosen);
  } catch (const ScriptError& error) {  // the loop guard of a definition
    fatalMessage(error.caption, error.text);
  }
}

void presentShowPicture(const EngineState& engine) {
  setup2D();
  copyScreenToTexture("screen", 0, 0);

  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glDisable(GL_DEPTH_TEST);
  glColor4f(1, 1, 1, 1);

  glViewport(0, 0, engine.width, engine.height);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const Viewport box =
      letterboxViewport(engine.width, engine.height, engine.screenAspect, pictureAspect());
  glViewport(box.x, box.y, box.width, box.height);
  drawTextureQuad("screen");
}
