// What tells one version of a file from another: the device and inode (a file
// replaced by another, even of the same size and time, has a new identity),
// the size, and the modification and status-change times in nanoseconds.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

struct FileIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t size = 0;
  int64_t modifiedNs = 0;
  int64_t changedNs = 0;
  bool operator==(const FileIdentity&) const = default;
};

// False when the file cannot be examined.
bool identifyOpenFile(FILE* file, FileIdentity& identity);
bool identifyFile(const std::string& path, FileIdentity& identity);
