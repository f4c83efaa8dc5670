#include "effects/effect_kinds.h"

#include "effects/basic_mesh_effect.h"
#include "effects/breaker_effect.h"
#include "effects/bump_height_effect.h"
#include "effects/cast_effect.h"
#include "effects/cubetube_effect.h"
#include "effects/curve_mesh_effect.h"
#include "effects/glow_effect.h"
#include "effects/layer_effect.h"
#include "effects/meshi_effect.h"
#include "effects/motion_effect.h"
#include "effects/projectioner_effect.h"
#include "effects/sorver_effect.h"
#include "effects/spectrum_effect.h"
#include "effects/springer_effect.h"
#include "effects/springy_effect.h"
#include "effects/text_effect.h"
#include "effects/twist_effect.h"

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
