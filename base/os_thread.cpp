#include <cerrno>

#include "base/os_process.h"
#include "base/platform/last_error.h"
#include "base/platform/thread.h"

VELTRIA_API Qlong OsThreadCreate(OsThreadRoutine start, void* parameter, Dword* thread_id) {
  WinSetLastError(0);
  const Qlong handle = WinThreadCreate(start, parameter, thread_id);
  if (!handle) WinFetchLastError();
  return handle;
}

VELTRIA_API Dword OsThreadResume(Qlong thread) {
  if (thread == 0) return 0xFFFFFFFFu;
  return WinThreadResume(thread);
}

VELTRIA_API Qlong OsThreadOpen(Dword thread_id) {
  const Qlong handle = WinThreadOpen(thread_id);
  if (!handle) WinFetchLastError();
  return handle;
}

VELTRIA_API unsigned char OsThreadIsActive(Qlong thread) {
  if (thread == 0) return 0;
  bool active = false;
  return WinThreadIsActive(thread, &active) && active ? 1 : 0;
}

VELTRIA_API Long OsThreadPriority(Qlong thread) {
  WinSetLastError(0);
  if (thread == 0) return -1;
  Long priority = 0;
  if (!WinThreadPriority(thread, &priority)) {
    WinFetchLastError();
    return -1;
  }
  const Long level = WinPriorityToLevel(priority);
  if (level < 0) WinSetLastError(EINVAL);  // a value outside the level table
  return level;
}

VELTRIA_API unsigned char OsThreadSetPriority(Qlong thread, Long level) {
  WinSetLastError(0);
  if (thread == 0 || level < kThreadIdle || level > kThreadTimeCritical) return 0;
  if (WinThreadSetPriority(thread, WinLevelToPriority(level))) return 1;
  WinFetchLastError();
  return 0;
}

VELTRIA_API Qlong OsThisThreadInfo(Dword* thread_id, Long* level, Qlong* desktop) {
  Dword id = 0;
  Qlong own_desktop = 0;
  const Qlong handle = WinThisThreadInfo(&id, &own_desktop);
  if (thread_id) *thread_id = id;
  if (desktop) *desktop = own_desktop;
  if (level) *level = handle ? OsThreadPriority(handle) : 0;
  return handle;
}

VELTRIA_API unsigned char OsThisThreadSetPriority(Long level, Long* old_level) {
  Long old = 0;
  const Qlong handle = OsThisThreadInfo(nullptr, &old, nullptr);
  if (old_level) *old_level = old;
  if (!handle) return 0;
  return OsThreadSetPriority(handle, level);
}

VELTRIA_API Long OsThreadSetAffinity(Qlong thread, Dword mask, Qword* previous) {
  WinSetLastError(0);
  if (thread == 0) return 0;
  Qword old = 0;
  if (!WinThreadSetAffinity(thread, mask, &old)) {
    WinFetchLastError();
    if (previous) *previous = 0;
    return 0;
  }
  if (previous) *previous = old;
  if (old != 0) return 1;
  WinFetchLastError();
  return 0;
}

VELTRIA_API unsigned char OsThreadTimes(Qlong thread, FILETIME* creation, FILETIME* exit,
                                        FILETIME* kernel, FILETIME* user) {
  if (!creation || !exit || !kernel || !user) return 0;
  return WinThreadTimes(thread, creation, exit, kernel, user) ? 1 : 0;
}
