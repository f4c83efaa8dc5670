#include "app/frame.h"

#include "app/presentation.h"
#include "framework/timeline.h"
#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "gfx/screen_quad.h"
#include "gfx/texture_pool.h"
#include "platform/message.h"

void drawShowPicture(const EngineState& engine, const EffectList& effects) {
  glViewport(0, 0, renderWidth(), renderHeight());
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  try {
    runTimeline(effects, engine.currentTime, engine.frameTimeStep);
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
