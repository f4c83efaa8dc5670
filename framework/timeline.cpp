#include "framework/timeline.h"

void runTimeline(const EffectList& effects, float time, float timeStep) {
  for (const std::unique_ptr<Effect>& effect : effects) {
    const double end = double(effect->start) + double(effect->length);
    if (effect->start <= time && time < end)
      withAllocationAsDataError(effect->definitionName(), [&] { effect->render(time, timeStep); });
  }
}
