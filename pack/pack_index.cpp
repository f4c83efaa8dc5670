#include "pack/pack_index.h"

#include <cstring>

namespace {

constexpr size_t kRunLength = 4;

uint32_t runAt(std::string_view text, size_t at) {
  uint32_t run;
  memcpy(&run, text.data() + at, kRunLength);
  return run;
}

const PackEntry* firstContaining(const std::vector<PackEntry>& entries, std::string_view request) {
  for (const PackEntry& entry : entries)
    if (entry.name.find(request) != std::string::npos) return &entry;
  return nullptr;
}

}  // namespace

PackIndex buildPackIndex(std::vector<PackEntry> entries) {
  PackIndex index;
  index.entries = std::move(entries);
  for (uint32_t i = 0; i < index.entries.size(); ++i) {
    const std::string& name = index.entries[i].name;
    for (size_t at = 0; at + kRunLength <= name.size(); ++at) {
      std::vector<uint32_t>& holders = index.entriesByRun[runAt(name, at)];
      if (holders.empty() || holders.back() != i) holders.push_back(i);
    }
  }
  return index;
}

const PackEntry* findPackEntry(const PackIndex& index, std::string_view request) {
  if (request.size() < kRunLength) return firstContaining(index.entries, request);
  const std::vector<uint32_t>* rarest = nullptr;
  for (size_t at = 0; at + kRunLength <= request.size(); ++at) {
    const auto found = index.entriesByRun.find(runAt(request, at));
    if (found == index.entriesByRun.end()) return nullptr;
    if (!rarest || found->second.size() < rarest->size()) rarest = &found->second;
  }
  for (uint32_t i : *rarest)
    if (index.entries[i].name.find(request) != std::string::npos) return &index.entries[i];
  return nullptr;
}
