#include "base/platform/file_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "base/platform/descriptors.h"

Qlong WinFileLockAcquire(const char* lock_path) {
  if (lock_path == nullptr) {
    errno = EINVAL;
    return -1;
  }
  int fd = open(lock_path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  return LockExclusiveOrClose(fd);
}

void WinFileLockRelease(Qlong handle) {
  if (handle < 0) return;
  const int fd = static_cast<int>(handle);
  flock(fd, LOCK_UN);
  close(fd);
}
