#include "effects/effect_kinds.h"

#include "effects/cubetube_effect.h"
#include "effects/layer_effect.h"
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
    {"layer", make<LayerEffect>},
    {"twist", make<TwistEffect>},
    {"cubetube", make<CubetubeEffect>},
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
