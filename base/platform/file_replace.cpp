#include "base/platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

int Fd(Qlong handle) { return handle >= 0 && handle <= 0x7FFFFFFF ? static_cast<int>(handle) : -1; }

}  // namespace

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
  *temp = target;
  *temp += ".XXXXXX";
  int fd = mkostemp(temp->data(), O_CLOEXEC);
  if (fd < 0) return -1;
  if (fd <= 2) {  // keep clear of the standard streams, as every file handle does
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    close(fd);
    if (moved < 0) {
      const int saved = errno;
      unlink(temp->c_str());
      errno = saved;
      return -1;
    }
    fd = moved;
  }
  if (fchmod(fd, st.st_mode & 07777) != 0) {
    WinFileAbandonReplacement(fd, *temp);
    return -1;
  }
  return fd;
}

Dword WinFileCommitReplacement(Qlong handle, const std::string& temp, const char* target) {
  const int fd = Fd(handle);
  if (fd < 0) {
    errno = EBADF;
    return 0;
  }
  bool ok = fsync(fd) == 0;
  int saved = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && rename(temp.c_str(), target) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    unlink(temp.c_str());
    errno = saved;
    return 0;
  }
  return 1;
}

void WinFileAbandonReplacement(Qlong handle, const std::string& temp) {
  const int saved = errno;
  const int fd = Fd(handle);
  if (fd >= 0) close(fd);
  unlink(temp.c_str());
  errno = saved;
}
