#include "platform/file_replace.h"

// The GL header's stand-ins for three words of windows.h (see
// cmake/dependencies-windows.cmake) give way to the real ones here.
#undef APIENTRY
#undef CALLBACK
#undef WINGDIAPI
#include <windows.h>

#include <algorithm>

namespace {

bool writeAll(HANDLE file, const std::string& bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    const DWORD chunk = DWORD(std::min<size_t>(bytes.size() - written, 1u << 30));
    DWORD n = 0;
    if (!WriteFile(file, bytes.data() + written, chunk, &n, nullptr) || n == 0) return false;
    written += n;
  }
  return true;
}

}  // namespace

bool writeFileDurably(const std::string& path, const std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = writeAll(file, bytes) && FlushFileBuffers(file);
  if (!CloseHandle(file) || !written) {
    DeleteFileA(path.c_str());
    return false;
  }
  return true;
}
