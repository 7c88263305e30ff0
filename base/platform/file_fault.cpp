#include "base/platform/file_fault.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

#include "base/platform/file_fault_testing.h"

namespace {

PlatformFileFaultHook g_hook = nullptr;
void* g_context = nullptr;

// 0 to go on, else the errno the step fails with.
int Fault(PlatformFileStep step, Qword* count) {
  if (g_hook == nullptr) return 0;
  return g_hook(step, count, g_context);
}

}  // namespace

void PlatformFileFaultHookForTesting(PlatformFileFaultHook hook, void* context) {
  g_hook = hook;
  g_context = context;
}

ssize_t PlatformWrite(int fd, const void* bytes, size_t count) {
  Qword allowed = count;
  if (const int e = Fault(PlatformFileStep::kWrite, &allowed)) {
    errno = e;
    return -1;
  }
  if (allowed < count) count = static_cast<size_t>(allowed);
  return write(fd, bytes, count);
}

int PlatformFsync(int fd) {
  Qword none = 0;
  if (const int e = Fault(PlatformFileStep::kSync, &none)) {
    errno = e;
    return -1;
  }
  return fsync(fd);
}

int PlatformRename(const char* from, const char* to, bool replace) {
  Qword none = 0;
  if (const int e = Fault(PlatformFileStep::kRename, &none)) {
    errno = e;
    return -1;
  }
  if (replace) return rename(from, to);
  if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return -1;
  // File systems without the no-replace rename: a hard link refuses an
  // existing name just as atomically; the old name then goes.
  if (link(from, to) != 0) return -1;
  unlink(from);
  return 0;
}
