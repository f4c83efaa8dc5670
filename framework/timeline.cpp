#include "framework/timeline.h"

void runTimeline(const EffectList& effects, float time, float timeStep) {
  runTimeline(effects, time, timeStep, std::vector<bool>(effects.size(), true));
}

void runTimeline(const EffectList& effects, float time, float timeStep,
                 const std::vector<bool>& chosen) {
  for (size_t index = 0; index < effects.size(); ++index) {
    Effect& effect = *effects[index];
    const double end = double(effect.start) + double(effect.length);
    if (chosen[index] && effect.start <= time && time < end)
      withAllocationAsDataError(effect.definitionName(), [&] { effect.render(time, timeStep); });
  }
}
