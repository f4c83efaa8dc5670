#include "platform/file_identity.h"

// The GL header's stand-ins for three words of windows.h (see
// cmake/dependencies-windows.cmake) give way to the real ones here.
#undef APIENTRY
#undef CALLBACK
#undef WINGDIAPI
#include <io.h>
#include <windows.h>

namespace {

// Windows counts file times in 100 ns steps from 1601, which in nanoseconds
// would overflow; they are counted from 1970 as on Linux.
constexpr int64_t kTicksFrom1601To1970 = 116444736000000000;
int64_t nanoseconds(int64_t ticks) { return (ticks - kTicksFrom1601To1970) * 100; }

// The volume's serial number and the file's index stand for the device and
// the inode; the last change of the file's data or attributes for the status
// change.
bool identityOf(HANDLE handle, FileIdentity& identity) {
  BY_HANDLE_FILE_INFORMATION information;
  FILE_BASIC_INFO times;
  if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &information) ||
      !GetFileInformationByHandleEx(handle, FileBasicInfo, &times, sizeof times))
    return false;
  identity = {information.dwVolumeSerialNumber,
              (uint64_t(information.nFileIndexHigh) << 32) | information.nFileIndexLow,
              (uint64_t(information.nFileSizeHigh) << 32) | information.nFileSizeLow,
              nanoseconds(times.LastWriteTime.QuadPart), nanoseconds(times.ChangeTime.QuadPart)};
  return true;
}

}  // namespace

bool identifyOpenFile(FILE* file, FileIdentity& identity) {
  return file && identityOf(HANDLE(_get_osfhandle(_fileno(file))), identity);
}

bool identifyFile(const std::string& path, FileIdentity& identity) {
  // Backup semantics open folders too; reading nothing needs no access right.
  const HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  const bool identified = identityOf(handle, identity);
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  return identified;
}
