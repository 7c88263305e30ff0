// Internal to the platform layer: the object behind a process handle.
#pragma once
#include <sys/types.h>

#include <mutex>

#include "base/platform/os_objects.h"
#include "base/platform/process.h"

struct ProcessObject : OsObject {
  // The child is reaped here at the latest; one still running is left to a
  // background waiter, so it goes on and leaves no zombie.
  ~ProcessObject() override;
  // True once the child has ended (reaping it on the first call that sees
  // the end); `wait` blocks until then.
  bool Poll(bool wait);

  std::mutex lock;
  pid_t pid = 0;
  bool ended = false;
  Dword exit_code = kStillActive;
  Qword creation_units = 0, exit_units = 0, kernel_units = 0, user_units = 0;
};

inline OsRef<ProcessObject> PlatformFindProcess(Qlong handle) {
  return OsObjectFind<ProcessObject>(handle);
}
