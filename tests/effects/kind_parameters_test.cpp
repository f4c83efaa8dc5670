// Every registered kind, checked from outside: the definition its recorded
// parameters make (what `velmira-tool skeleton` prints) runs, and a
// definition that declares only the first k of them stops at parameter k,
// so the kind reads its parameters in one fixed order every frame.
#include <gtest/gtest.h>

#include "effects/effect_kinds.h"
#include "framework/effect_loader.h"
#include "framework/parameter_skeleton.h"
#include "framework/resource_loaders.h"
#include "support/effect_harness.h"

namespace {

std::vector<ParameterRecord> recordFirstFrame(std::string_view kind) {
  std::vector<ParameterRecord> records;
  auto effect = loadEffect(testEntry(), "code = " + std::string(kind) + "\n", createEffect,
                           engineResourceLoaders(), &records);
  renderFrame(*effect, 0.0f, 0.0f);
  return records;
}

}  // namespace

TEST_F(EffectTest, KindParametersSkeletonRunsAndEachMissingParameterIsNamedInOrder) {
  InShowFolder inShow;
  for (std::string_view kind : effectKindNames()) {
    SCOPED_TRACE(std::string(kind));
    const std::vector<ParameterRecord> records = recordFirstFrame(kind);
    EXPECT_EQ(firstFrameError(skeletonDefinition(kind, records)), "");
    for (size_t k = 0; k < records.size(); ++k) {
      const std::vector<ParameterRecord> first(records.begin(), records.begin() + k);
      const std::string error = firstFrameError(skeletonDefinition(kind, first));
      EXPECT_NE(error.find(" " + records[k].name + "\n"), std::string::npos)
          << "declaring the first " << k << " parameters: " << error;
    }
  }
}
