// Threads on POSIX: pthreads that start suspended and run once resumed,
// known by handles of the object table (os_objects.h). Priorities are the
// per-thread nice values of Linux; a thread's desktop does not exist here.
// Handles of a process (process.h) also answer as its first thread.
#pragma once
#include "base/platform/clock.h"
#include "base/types.h"

typedef Dword (*OsThreadStart)(void* parameter);

// A new thread that waits until WinThreadResume; its id once it exists.
// The handle, or 0 with errno.
Qlong WinThreadCreate(OsThreadStart start, void* parameter, Dword* thread_id);
// Lets a suspended thread run. The suspend count before the call (1 for a
// thread that was waiting, 0 for one already running), 0xFFFFFFFF with
// errno for a handle that names no thread.
Dword WinThreadResume(Qlong thread);
// A new handle of a thread made by WinThreadCreate that still exists;
// threads of other origin cannot be opened here (0, errno ESRCH).
Qlong WinThreadOpen(Dword thread_id);
// Whether the thread still runs (or waits to be resumed); 1, or 0 with
// errno for a handle that names no thread.
Dword WinThreadIsActive(Qlong thread, bool* active);
// The nice value of the thread; 1, or 0 with errno.
Dword WinThreadPriority(Qlong thread, Long* priority);
Dword WinThreadSetPriority(Qlong thread, Long priority);
// Level 0 to 6 to nice value and back; -1 for a value outside the table.
Long WinPriorityToLevel(Long priority);
Long WinLevelToPriority(Long level);
// The pseudo handle of the calling thread (-2), its id and its desktop
// (always 0 here).
Qlong WinThisThreadInfo(Dword* thread_id, Qlong* desktop);
// Sets the processors the thread may run on; the previous mask (low 64
// processors) in *previous. 1, or 0 with errno.
Dword WinThreadSetAffinity(Qlong thread, Qword mask, Qword* previous);
// Creation time and kernel and user time; the exit time is 0 while the
// thread runs. 1/0.
Dword WinThreadTimes(Qlong thread, FILETIME* creation, FILETIME* exit, FILETIME* kernel,
                     FILETIME* user);
