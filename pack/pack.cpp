#include "pack/pack.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
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
// the rest of the buffer zero. False when the memory cannot be had.
bool readBytes(FILE* file, uint64_t length, std::vector<uint8_t>& data) {
  try {
    data.assign(length, 0);
  } catch (const std::bad_alloc&) {
    data.clear();
    return false;
  } catch (const std::length_error&) {
    data.clear();
    return false;
  }
  size_t done = 0;
  while (done < length) {
    const size_t got = fread(data.data() + done, 1, length - done, file);
    if (got == 0) break;
    done += got;
  }
  return true;
}

enum class DiskRead { Absent, Read, Refused };

// A folder of the name counts as absent (the pack may hold the name); a
// FIFO, device or socket is refused before it is opened, since reading one
// can wait forever or never end.
DiskRead readFromDisk(const std::string& path, std::vector<uint8_t>& data, std::string& problem) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status) || fs::is_directory(status)) return DiskRead::Absent;
  if (!fs::is_regular_file(status)) {
    problem = "is not a regular file";
    return DiskRead::Refused;
  }
  File file(fopen(path.c_str(), "rb"));
  if (!file) return DiskRead::Absent;
  fseek(file.get(), 0, SEEK_END);
  const long size = ftell(file.get());
  fseek(file.get(), 0, SEEK_SET);
  if (readBytes(file.get(), size < 0 ? 0 : static_cast<uint64_t>(size), data)) return DiskRead::Read;
  problem = "is too large to read into memory";
  return DiskRead::Refused;
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

void reportRefused(std::string_view name, const std::string& problem) {
  showMessage("", "Error: datafile " + std::string(name) + " " + problem + ".\n",
              MessageIcon::Error);
}

}  // namespace

int loadFile(std::string_view name, std::vector<uint8_t>& data) {
  recordRequest(name);
  data.clear();
  const std::string path(name);
  std::string problem;
  switch (readFromDisk(path, data, problem)) {
    case DiskRead::Read: return kLoadFromDisk;
    case DiskRead::Refused: reportRefused(name, problem); return kLoadMissing;
    case DiskRead::Absent: break;
  }
  File pack(fopen(kPackFileName, "rb"));
  if (!pack) {
    reportMissing(name);
    return kLoadMissing;
  }
  const PackEntry* entry = findPackEntry(packIndex(pack.get()), name);
  if (entry) {
    fseek(pack.get(), static_cast<long>(entry->dataOffset), SEEK_SET);
    if (!readBytes(pack.get(), entry->available, data)) {
      reportRefused(name, "is too large to read into memory");
      return kLoadMissing;
    }
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
