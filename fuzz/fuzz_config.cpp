// Feeds arbitrary bytes to the start-file and configuration readers.
#include <string_view>

#include "app/configuration.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  EngineState engine;
  applyStartFile(engine, text);
  applyConfigurationFile(engine, text);
  if (engine.timelineFileName.size() > 511 || engine.configFileName.size() > 255) __builtin_trap();
  return 0;
}
