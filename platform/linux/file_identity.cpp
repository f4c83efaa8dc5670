#include "platform/file_identity.h"

#include <sys/stat.h>

namespace {

int64_t nanoseconds(const timespec& time) { return int64_t(time.tv_sec) * 1000000000 + time.tv_nsec; }

FileIdentity identityOf(const struct stat& info) {
  return {uint64_t(info.st_dev), uint64_t(info.st_ino), uint64_t(info.st_size),
          nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
}

}  // namespace

bool identifyOpenFile(FILE* file, FileIdentity& identity) {
  struct stat info;
  if (!file || fstat(fileno(file), &info) != 0) return false;
  identity = identityOf(info);
  return true;
}

bool identifyFile(const std::string& path, FileIdentity& identity) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return false;
  identity = identityOf(info);
  return true;
}
