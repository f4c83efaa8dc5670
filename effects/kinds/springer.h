// "springer": the spring tube tumbling in loops around the origin, its
// triangle edges snapping back onto the anchor when overstretched, with a
// long flared back tube turned around in copies.
#pragma once

#include "effects/swimming_tube.h"

class SpringerEffect : public SwimmingTubeEffect {
 public:
  SpringerEffect();
};
