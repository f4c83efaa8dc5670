#include "pack/pack_format.h"

#include <limits>

namespace {

// Reads a name up to its NUL; false when the end of the file came first.
bool readEntryName(FILE* pack, std::string& name) {
  name.clear();
  for (int c; (c = fgetc(pack)) != EOF;) {
    if (c == 0) return true;
    if (name.size() < kPackMaxNameLength) name.push_back(static_cast<char>(c));
  }
  return false;
}

uint32_t readLength(FILE* pack) {
  uint8_t bytes[4];
  if (fread(bytes, 1, 4, pack) != 4) return 0;
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

uint64_t fileSize(FILE* pack) {
  const long here = ftell(pack);
  fseek(pack, 0, SEEK_END);
  const long size = ftell(pack);
  fseek(pack, here, SEEK_SET);
  return size < 0 ? 0 : static_cast<uint64_t>(size);
}

}  // namespace

std::vector<PackEntry> scanPack(FILE* pack) {
  std::vector<PackEntry> entries;
  const uint64_t size = fileSize(pack);
  rewind(pack);
  for (;;) {
    PackEntry entry;
    entry.terminated = readEntryName(pack, entry.name);
    entry.length = readLength(pack);
    entry.dataOffset = static_cast<uint64_t>(ftell(pack));
    const uint64_t left = size > entry.dataOffset ? size - entry.dataOffset : 0;
    entry.available = static_cast<uint32_t>(std::min<uint64_t>(entry.length, left));
    entries.push_back(entry);
    if (!entry.terminated) break;
    fseek(pack, static_cast<long>(entry.dataOffset + entry.available), SEEK_SET);
  }
  return entries;
}

std::string packNameProblem(std::string_view name) {
  if (name.empty()) return "an entry name must not be empty";
  if (name.size() > kPackMaxNameLength) return "the name is longer than 255 bytes";
  if (name.find('\0') != std::string_view::npos) return "the name holds a NUL byte";
  return {};
}

bool writePackEntry(FILE* pack, std::string_view name, const std::vector<uint8_t>& data) {
  if (data.size() > std::numeric_limits<uint32_t>::max()) return false;
  const uint32_t length = static_cast<uint32_t>(data.size());
  const uint8_t lengthBytes[4] = {static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                                  static_cast<uint8_t>(length >> 16),
                                  static_cast<uint8_t>(length >> 24)};
  return fwrite(name.data(), 1, name.size(), pack) == name.size() && fputc(0, pack) == 0 &&
         fwrite(lengthBytes, 1, 4, pack) == 4 &&
         fwrite(data.data(), 1, data.size(), pack) == data.size();
}
