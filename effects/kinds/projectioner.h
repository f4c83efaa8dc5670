// "projectioner": the morphing lathe surfaces lit by lights that act as slide
// projectors. Each light first draws the surfaces from its own position into
// its shadow map, then throws its picture ("lightProjection") onto them from
// the real camera where it sees them, into "valokuva<light>"; with a
// rendering mode other than 0 each light also draws a material (or unlit)
// pass into "bumpkuva<light>". The lights' pictures are then added on the
// frame, and a flare is drawn at each light. At most four lights.
#pragma once

#include <vector>

#include "effects/lathe_surfaces.h"
#include "framework/effect.h"
#include "gfx/math.h"

class ProjectionerEffect : public Effect {
 public:
  void initialise() override;
  void render(float time, float timeStep) override;

 private:
  void drawStage(int stage, int light, int renderingMode, int surfaceCount);
  void drawSurfaces(int stage, int renderingMode, int surfaceCount, const Vec3& lightColor,
                    const Vec3& lightEye);

  std::vector<LatheSurface> surfaces_;
};
