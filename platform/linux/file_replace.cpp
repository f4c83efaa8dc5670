#include "platform/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace {

bool writeAll(int fd, const std::string& bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n <= 0) return false;
    written += size_t(n);
  }
  return true;
}

}  // namespace

bool writeFileDurably(const std::string& path, const std::string& bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = writeAll(fd, bytes) && fsync(fd) == 0;
  if (close(fd) != 0 || !written) {
    unlink(path.c_str());
    return false;
  }
  return true;
}
