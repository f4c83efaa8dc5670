#include "effects/effect_kinds.h"

#include "effects/kinds/basic_mesh.h"
#include "effects/kinds/breaker.h"
#include "effects/kinds/bump_height.h"
#include "effects/kinds/cast.h"
#include "effects/kinds/cubetube.h"
#include "effects/kinds/curve_mesh.h"
#include "effects/kinds/glow.h"
#include "effects/kinds/layer.h"
#include "effects/kinds/meshi.h"
#include "effects/kinds/motion.h"
#include "effects/kinds/projectioner.h"
#include "effects/kinds/sorver.h"
#include "effects/kinds/spectrum.h"
#include "effects/kinds/springer.h"
#include "effects/kinds/springy.h"
#include "effects/kinds/text.h"
#include "effects/kinds/twist.h"

namespace {

struct EffectKind {
  const char* name;
  std::unique_ptr<Effect> (*create)();
};

template <typename Kind>
std::unique_ptr<Effect> make() {
  return std::make_unique<Kind>();
}

const EffectKind kKinds[] = {
    {"spektrometri", make<SpectrumEffect>},
    {"meshi", make<MeshiEffect>},
    {"twist", make<TwistEffect>},
    {"curvex", make<CurveMeshEffect>},
    {"sorver", make<SorverEffect>},
    {"sorverBreak", make<SorverEffect>},
    {"cubetube", make<CubetubeEffect>},
    {"motion", make<MotionEffect>},
    {"springy", make<SpringyEffect>},
    {"text", make<TextEffect>},
    {"springer", make<SpringerEffect>},
    {"basicmesh", make<BasicMeshEffect>},
    {"glow", make<GlowEffect>},
    {"cast", make<CastEffect>},
    {"layer", make<LayerEffect>},
    {"bumpheight", make<BumpHeightEffect>},
    {"box", make<BoxEffect>},
    {"breaker", make<BreakerEffect>},
    {"projectioner", make<ProjectionerEffect>},
};

}  // namespace

std::vector<std::string_view> effectKindNames() {
  std::vector<std::string_view> names;
  for (const EffectKind& entry : kKinds) names.push_back(entry.name);
  return names;
}

std::unique_ptr<Effect> createEffect(std::string_view kind) {
  for (const EffectKind& entry : kKinds)
    if (kind == entry.name) return entry.create();
  return nullptr;
}
