#include "base/platform/file_replace.h"

#include <sys/stat.h>

#include <cerrno>

#include "base/platform/temp_file.h"

Qlong WinFileOpenReplacement(const char* target, std::string* temp) {
  struct stat st;
  if (!target || stat(target, &st) != 0) return -1;
  if (!S_ISREG(st.st_mode)) {
    errno = EISDIR;
    return -1;
  }
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    errno = EACCES;
    return -1;
  }
  WinTempFileSweep(target);
  return WinTempFileCreate(target, target, temp);
}

Qlong WinFileOpenNewReplacement(const char* target, std::string* temp) {
  WinTempFileSweep(target);
  return WinTempFileCreate(target, nullptr, temp);
}

Dword WinFileCommitReplacement(Qlong handle, const std::string& temp, const char* target) {
  return WinTempFileCommit(handle, temp, target, true);
}

Dword WinFileCommitNew(Qlong handle, const std::string& temp, const char* target) {
  return WinTempFileCommit(handle, temp, target, false);
}

void WinFileAbandonReplacement(Qlong handle, const std::string& temp) {
  WinTempFileAbandon(handle, temp);
}
