// The pack file format: a plain concatenation of entries, each a
// NUL-terminated name, a 4-byte little-endian length and that many bytes of
// data. No header, index or trailer.
//
// scanPack walks a pack exactly as a sequential reader of the file does, with
// every read bounded by the file: a name without a NUL or a length past the
// end is cut at the end of the file, never read beyond it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kPackMaxNameLength = 255;

struct PackEntry {
  // The name bytes up to the NUL; a longer name keeps its first 255 bytes.
  std::string name;
  uint64_t dataOffset = 0;
  // The length field as written; 0 when the file ends inside it.
  uint32_t length = 0;
  // The data bytes present before the end of the file (at most `length`).
  uint32_t available = 0;
  // False for the last entry, whose name ran into the end of the file.
  bool terminated = true;
};

// Lists the entries of an open pack in file order, from its first byte. The
// scan ends with the entry whose name runs into the end of the file (an
// empty name when the file ends right after the previous entry's data).
std::vector<PackEntry> scanPack(FILE* pack);

// Why a name cannot become a pack entry, or empty when it can.
std::string packNameProblem(std::string_view name);

// Writes one entry; the name must have passed packNameProblem.
bool writePackEntry(FILE* pack, std::string_view name, const std::vector<uint8_t>& data);
