// Processes on POSIX: started with posix_spawnp from an argument list
// (never through a shell), watched with waitpid, and their times read
// from /proc. A process is known by a handle of the object table
// (os_objects.h); its "thread handle" is a second handle of the same
// object whose id is the process id (the id of its first thread).
#pragma once
#include <string>
#include <vector>

#include "base/platform/clock.h"
#include "base/types.h"

// The exit code of a process or thread that is still running.
constexpr Dword kStillActive = 259;

// Starts argv[0] (searched along $PATH when it has no '/') with the
// arguments, in `folder` when that is not empty, with the caller's
// environment. The process and thread handles and the process id, or 0
// with errno.
Dword WinProcessLaunch(const std::vector<std::string>& argv, const std::string& folder,
                       Qlong* process, Qlong* thread, Dword* process_id);
// The exit code: kStillActive while it runs; a process ended by a signal
// reads 128 + the signal's number. 1, or 0 with errno for a handle that
// names no process.
Dword WinProcessTest(Qlong process, Dword* exit_code);
// Waits without time limit for the end; 1, or 0 with errno.
Dword WinProcessWaitForTermination(Qlong process);
// The process id of a process handle (-1: this process); 0 when none.
Dword WinProcessId(Qlong process);
// Creation and exit as file times, kernel and user time in 100 ns units;
// the exit time is 0 while the process runs. -1 is this process. 1/0.
Dword WinProcessTimes(Qlong process, FILETIME* creation, FILETIME* exit, FILETIME* kernel,
                      FILETIME* user);
// The pseudo handle of this process (-1) and its id.
Qlong WinCurrentProcess(Dword* process_id);

// Internal to the platform layer: the times of one task of /proc (pid and
// tid; tid 0 for the process as a whole).
Dword PlatformTaskTimes(Dword pid, Dword tid, FILETIME* creation, FILETIME* kernel, FILETIME* user);
// A file time from 100 ns units.
FILETIME PlatformFileTime(Qword units);
