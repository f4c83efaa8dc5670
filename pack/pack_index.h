// An index of a pack's entries that answers "the first entry whose name
// contains this text" without rescanning the file: every 4-byte run of an
// entry name points back at the entries holding it, so a request is checked
// only against the entries that share its rarest run.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "pack/pack_format.h"

struct PackIndex {
  std::vector<PackEntry> entries;
  std::unordered_map<uint32_t, std::vector<uint32_t>> entriesByRun;
};

PackIndex buildPackIndex(std::vector<PackEntry> entries);

// The first entry in pack order whose name contains `request`, or null.
const PackEntry* findPackEntry(const PackIndex& index, std::string_view request);
