#include "app/show_loading.h"

#include "effects/effect_kinds.h"
#include "framework/resource_loaders.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/texture_pool.h"
#include "platform/message.h"

void prepareEffectDrawing() {
  initGpuPrograms();
  createStandardTextures();
}

EffectList loadShowEffectsOrThrow(EngineState& engine) {
  prepareEffectDrawing();
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
