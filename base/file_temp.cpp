#include "base/file_temp.h"

#include <cstring>
#include <string>

#include "base/errors.h"
#include "base/platform/temp_file.h"

namespace {

unsigned char Result(Dword ok) {
  if (ok) return 1;
  FileSaveLastError();
  return 0;
}

}  // namespace

VELTRIA_API Qlong FileTempCreateA(const char* target, const char* mode_of, char* temp,
                                  Qword temp_size) {
  FileClearLastError();
  if (!temp || temp_size == 0) {
    LibLastError = kErrMissingOutputBuffer;
    return -1;
  }
  temp[0] = 0;
  std::string path;
  WinTempFileSweep(target);
  const Qlong handle = WinTempFileCreate(target, mode_of, &path);
  if (handle == -1) {
    FileSaveLastError();
    return -1;
  }
  if (path.size() + 1 > temp_size) {
    WinTempFileAbandon(handle, path);
    LibLastError = kErrMissingOutputBuffer;
    return -1;
  }
  std::memcpy(temp, path.c_str(), path.size() + 1);
  return handle;
}

VELTRIA_API unsigned char FileTempSync(Qlong handle) {
  FileClearLastError();
  return Result(WinTempFileSync(handle));
}

VELTRIA_API unsigned char FileTempCommitA(Qlong* handle, const char* temp, const char* target,
                                          unsigned char replace) {
  FileClearLastError();
  if (!handle || !temp || !target) {
    LibLastError = kErrMissingArguments;
    return 0;
  }
  const Qlong h = *handle;
  *handle = -1;
  return Result(WinTempFileCommit(h, temp, target, replace != 0));
}

VELTRIA_API void FileTempAbandonA(Qlong* handle, const char* temp) {
  if (!handle) return;
  WinTempFileAbandon(*handle, temp ? temp : "");
  *handle = -1;
}

VELTRIA_API void FileTempRelease(Qlong* handle) {
  if (!handle) return;
  WinTempFileRelease(*handle);
  *handle = -1;
}

VELTRIA_API void FileTempSweepA(const char* target) { WinTempFileSweep(target); }

VELTRIA_API unsigned char FileTempIsNameOfA(const char* name, const char* target_name) {
  return name && target_name && WinTempFileNameOf(name, target_name) ? 1 : 0;
}

VELTRIA_API unsigned char FileRenameA(const char* from, const char* to, unsigned char replace) {
  FileClearLastError();
  if (!from || !to) {
    LibLastError = kErrMissingArguments;
    return 0;
  }
  return Result(WinFileRename(from, to, replace != 0));
}

VELTRIA_API unsigned char FileLinkA(const char* existing, const char* name) {
  FileClearLastError();
  if (!existing || !name) {
    LibLastError = kErrMissingArguments;
    return 0;
  }
  return Result(WinFileLink(existing, name));
}

VELTRIA_API unsigned char FileSyncFolderOfA(const char* path) {
  FileClearLastError();
  if (!path) {
    LibLastError = kErrMissingArguments;
    return 0;
  }
  return Result(WinFolderSyncOf(path));
}

VELTRIA_API Qlong FileLockFolderA(const char* folder) {
  FileClearLastError();
  const Qlong handle = WinFolderLockAcquire(folder);
  if (handle == -1) FileSaveLastError();
  return handle;
}

VELTRIA_API void FileUnlockFolder(Qlong* handle) {
  if (!handle) return;
  WinFolderLockRelease(*handle);
  *handle = -1;
}
