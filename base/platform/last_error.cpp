#include "base/platform/last_error.h"

#include <cerrno>
#include <cstddef>

#include "base/error_codes.h"
#include "base/errors.h"

namespace {

struct ErrnoRow {
  int system_error;
  Dword code;
};

// The one table from system error numbers to the library's file-system codes.
constexpr ErrnoRow kErrnoTable[] = {
    {0, kErrNone},
    {ENOENT, kErrMissingFile},
    {ENOTDIR, kErrMissingFolder},
    {ELOOP, kErrMissingFolder},
    {EACCES, kErrFileNotAccessible},
    {EPERM, kErrFileNotAccessible},
    {EISDIR, kErrFileNotAccessible},
    {ENXIO, kErrMissingDisk},
    {ENODEV, kErrMissingDisk},
    {ENOMEDIUM, kErrMissingDisk},
    {EIO, kErrDiskNotReady},
    {EROFS, kErrDiskWriteProtected},
    {EBUSY, kErrFileSharing},
    {ETXTBSY, kErrFileSharing},
    {EAGAIN, kErrFileSharing},
    {EDEADLK, kErrFileSharing},
    {EXDEV, kErrWrongDisk},
    {ENOSPC, kErrDiskFull},
    {EDQUOT, kErrDiskFull},
    {EFBIG, kErrDiskFull},
    {EMEDIUMTYPE, kErrBadDiskFat},
};

}  // namespace

Dword PlatformGetSystemError(void) { return static_cast<Dword>(errno); }

void PlatformSetSystemError(Dword code) { errno = static_cast<int>(code); }

Dword WinSetLastError(Dword code) {
  PlatformSetSystemError(code);
  LibLastError = code;
  return code;
}

Dword WinFetchLastError(void) {
  LibLastError = PlatformGetSystemError();
  return LibLastError;
}

Dword WinErrorToLibraryError(Dword system_error) {
  for (const ErrnoRow& row : kErrnoTable)
    if (static_cast<Dword>(row.system_error) == system_error) return row.code;
  return kErrFileSystem;
}
