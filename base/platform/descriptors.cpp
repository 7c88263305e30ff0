#include "base/platform/descriptors.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

int KeepAboveStreams(int fd) {
  if (fd < 0 || fd > 2) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  const int saved = errno;
  close(fd);
  errno = saved;
  return moved;
}

Qlong LockExclusiveOrClose(int fd) {
  while (flock(fd, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    const int saved = errno;
    close(fd);
    errno = saved;
    return -1;
  }
  return fd;
}
