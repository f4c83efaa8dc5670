// "springy": the spindle tube gliding along its path on springs, with a
// short back tube fanned out behind it and particles stirred along it.
#pragma once

#include "effects/swimming_tube.h"

class SpringyEffect : public SwimmingTubeEffect {
 public:
  SpringyEffect();
};
