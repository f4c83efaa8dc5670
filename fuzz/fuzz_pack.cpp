// Feeds arbitrary bytes to the pack scanner and the index lookup.
#include <cstdio>
#include <string>

#include "pack/pack_index.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses how long the looked-up name is; the name is taken
  // from the input itself so that matches happen.
  const size_t nameLength = std::min<size_t>(data[0] % 16, size - 1);
  const std::string request(reinterpret_cast<const char*>(data + 1), nameLength);
  FILE* pack = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!pack) return 0;
  const PackIndex index = buildPackIndex(scanPack(pack));
  fclose(pack);
  if (const PackEntry* entry = findPackEntry(index, request)) {
    if (entry->dataOffset + entry->available > size) __builtin_trap();
  }
  return 0;
}
