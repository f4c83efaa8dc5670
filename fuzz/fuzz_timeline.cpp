// Feeds arbitrary bytes to the timeline reader and the effect loader. The
// input is a timeline text, a 0x01 byte, and a definition text every line of
// the timeline resolves to.
#include <string_view>

#include "framework/effect_loader.h"

namespace {

std::unique_ptr<Effect> createAnyKind(std::string_view) { return std::make_unique<Effect>(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\x01');
  const std::string_view timeline = input.substr(0, split);
  const std::string_view definition =
      split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
  const ResourceLoaders noLoaders;
  int loaded = 0;
  for (const TimelineEntry& entry : parseTimeline(timeline)) {
    if (++loaded > 4) break;
    try {
      loadEffect(entry, definition, createAnyKind, noLoaders);
    } catch (const ScriptError&) {
    }
  }
  return 0;
}
