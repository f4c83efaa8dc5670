#include "app/show_loading.h"

#include "effects/camera.h"
#include "effects/effect_kinds.h"
#include "framework/resource_loaders.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/texture_pool.h"
#include "platform/message.h"

EffectList loadShowEffectsOrThrow(EngineState& engine) {
  initGpuPrograms();
  setRenderSize(engine.renderWidth, engine.renderHeight);
  setPictureAspect(engine.pictureAspect);
  createStandardTextures();
  EffectList effects = loadEffects(engine.timelineFileName, createEffect, engineResourceLoaders());
  engine.seekMarks = effectStartTimes(effects);
  return effects;
}

EffectList loadShowEffects(EngineState& engine) {
  try {
    return loadShowEffectsOrThrow(engine);
  } catch (const ScriptError& error) {
    fatalMessage(error.caption, error.text);
  }
}
