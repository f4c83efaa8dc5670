// Compiles arbitrary bytes as an effect definition body and runs the result
// twice, as the loader and one frame would. Compile errors and the loop
// guard's runtime error are expected outcomes; anything else is a fault. The
// checking tool's warnings are collected too, so their placing is fuzzed.
#include <cstdint>
#include <string_view>
#include <vector>

#include "script/evaluator.h"
#include "script/recording_loaders.h"
#include "script/script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A small loop limit keeps endless loops cheap; the guard works the same.
  setLoopIterationLimit(10000);
  RecordingLoaders recording;
  std::vector<CompileWarning> warnings;
  CompileEnvironment environment{&recording.loaders, {"inputA", "inputB"}, &warnings};
  Script script;
  script.definitionName = "fuzz.txt";
  try {
    declareEffectVariables(script, 1, 4, {0.5f, 2}, "screen");
    compileScriptBody(script, std::string_view(reinterpret_cast<const char*>(data), size), environment);
    runScript(script);
    runFramePrologue(script, 2.5f, 0.02f);
  } catch (const ScriptError&) {
  }
  return 0;
}
