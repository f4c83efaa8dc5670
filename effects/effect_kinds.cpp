#include "effects/effect_kinds.h"

#include "effects/breaker_effect.h"
#include "effects/layer_effect.h"
#include "effects/springer_effect.h"
#include "effects/springy_effect.h"

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
    {"breaker", make<BreakerEffect>},
    {"springy", make<SpringyEffect>},
    {"springer", make<SpringerEffect>},
};

}  // namespace

std::unique_ptr<Effect> createEffect(std::string_view kind) {
  for (const EffectKind& entry : kKinds)
    if (kind == entry.name) return entry.create();
  return nullptr;
}
