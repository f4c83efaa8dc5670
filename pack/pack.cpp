#include "pack/pack.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <unordered_set>

#include "pack/pack_index.h"
#include "platform/file_identity.h"
#include "platform/message.h"

namespace {

struct FileCloser {
  void operator()(FILE* file) const { fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

struct FileLayer {
  std::vector<std::string> requested;
  std::unordered_set<std::string> requestedSet;
  std::optional<FileIdentity> indexedPack;
  PackIndex index;
};

FileLayer& fileLayer() {
  static FileLayer layer;
  return layer;
}

void recordRequest(std::string_view name) {
  FileLayer& layer = fileLayer();
  if (layer.requestedSet.emplace(name).second) layer.requested.emplace_back(name);
}

// Reads up to `length` bytes from the current position; a short file leaves
// the rest of the buffer zero.
void readBytes(FILE* file, uint64_t length, std::vector<uint8_t>& data) {
  data.assign(length, 0);
  size_t done = 0;
  while (done < length) {
    const size_t got = fread(data.data() + done, 1, length - done, file);
    if (got == 0) break;
    done += got;
  }
}

bool readFromDisk(const std::string& path, std::vector<uint8_t>& data) {
  File file(fopen(path.c_str(), "rb"));
  std::error_code error;
  if (!file || std::filesystem::is_directory(path, error)) return false;
  fseek(file.get(), 0, SEEK_END);
  const long size = ftell(file.get());
  fseek(file.get(), 0, SEEK_SET);
  readBytes(file.get(), size < 0 ? 0 : static_cast<uint64_t>(size), data);
  return true;
}

// The index of the pack, rebuilt whenever the open pack is another file or
// the same file changed: a pack replaced by one of the same size and
// modification second has a new identity or nanosecond times.
const PackIndex& packIndex(FILE* pack) {
  FileLayer& layer = fileLayer();
  FileIdentity identity;
  const bool known = identifyOpenFile(pack, identity);
  if (!known || layer.indexedPack != identity) {
    layer.index = buildPackIndex(scanPack(pack));
    layer.indexedPack = known ? std::optional(identity) : std::nullopt;
  }
  return layer.index;
}

void reportMissing(std::string_view name) {
  char text[320];
  snprintf(text, sizeof text, "Error: datafile %.255s not found.\n",
           std::string(name).c_str());
  showMessage("", text, MessageIcon::Error);
}

}  // namespace

int loadFile(std::string_view name, std::vector<uint8_t>& data) {
  recordRequest(name);
  data.clear();
  const std::string path(name);
  if (readFromDisk(path, data)) return kLoadFromDisk;
  File pack(fopen(kPackFileName, "rb"));
  if (!pack) {
    reportMissing(name);
    return kLoadMissing;
  }
  const PackEntry* entry = findPackEntry(packIndex(pack.get()), name);
  if (entry) {
    fseek(pack.get(), static_cast<long>(entry->dataOffset), SEEK_SET);
    readBytes(pack.get(), entry->available, data);
  }
  return kLoadFromPack;
}

bool fileIsAvailable(std::string_view name) {
  std::error_code error;
  const std::string path(name);
  if (std::filesystem::is_regular_file(path, error)) return true;
  File pack(fopen(kPackFileName, "rb"));
  return pack && findPackEntry(packIndex(pack.get()), name) != nullptr;
}

const std::vector<std::string>& requestedFiles() { return fileLayer().requested; }

void resetFileLayer() { fileLayer() = FileLayer(); }
