// Processes, threads and critical sections of the Os family. Handles are
// 64-bit; a closed or invalid handle is -1 (null where a function returns
// "no handle"); close them with OsKillHandle. The calling process and
// thread have the pseudo handles -1 and -2. Failures store the system's
// raw error in LibLastError; base/platform/README.md lists what this
// platform cannot do and what it answers.
#pragma once
#include "base/platform/clock.h"
#include "base/types.h"

// A launched process; owned by the caller until OsProcessDetach.
struct OsProcess {
  Qlong process;  // -1 until launched
  Qlong thread;   // -1 until launched
  Dword process_id;
  Dword thread_id;
  Dword exit_code;  // written by OsProcessTest; 259 while running
};

// The library's seven thread priority levels; others are refused.
enum OsThreadLevel : Long {
  kThreadIdle = 0,
  kThreadLowest = 1,
  kThreadBelowNormal = 2,
  kThreadNormal = 3,
  kThreadAboveNormal = 4,
  kThreadHighest = 5,
  kThreadTimeCritical = 6,
};

typedef Dword (*OsThreadRoutine)(void* parameter);
typedef struct PlatformCriticalSection OsCriticalSection;

// Processes. The command line is split by the Windows rules (program name
// first) and started without a shell.
VELTRIA_API OsProcess* OsProcessLaunch(char16_t* command_line, const char16_t* folder);
// -3 null record, -2 no process handle, 1 ended, 0 running, -1 failure.
VELTRIA_API Long OsProcessTest(OsProcess* process);
VELTRIA_API Long OsProcessWaitForTermination(OsProcess* process);
VELTRIA_API void OsProcessDetach(OsProcess** process);
VELTRIA_API unsigned char OsProcessTimes(Qlong process, FILETIME* creation, FILETIME* exit,
                                         FILETIME* kernel, FILETIME* user);
VELTRIA_API unsigned char OsThreadTimes(Qlong thread, FILETIME* creation, FILETIME* exit,
                                        FILETIME* kernel, FILETIME* user);
VELTRIA_API Qlong OsCurrentProcess(Dword* process_id);
// 0 started (and ended, with an exit-code address), 1 not started, -1 no
// program chosen.
VELTRIA_API Long OsRunApplication(const char16_t* application, const char16_t* folder,
                                  Qword ignored, Long quiet, Dword* exit_code);

// Threads.
VELTRIA_API Qlong OsThreadCreate(OsThreadRoutine start, void* parameter, Dword* thread_id);
// The suspend count before the call, 0xFFFFFFFF on failure.
VELTRIA_API Dword OsThreadResume(Qlong thread);
VELTRIA_API Qlong OsThreadOpen(Dword thread_id);
VELTRIA_API unsigned char OsThreadIsActive(Qlong thread);
VELTRIA_API Long OsThreadPriority(Qlong thread);
VELTRIA_API unsigned char OsThreadSetPriority(Qlong thread, Long level);
VELTRIA_API Qlong OsThisThreadInfo(Dword* thread_id, Long* level, Qlong* desktop);
VELTRIA_API unsigned char OsThisThreadSetPriority(Long level, Long* old_level);
VELTRIA_API Long OsThreadSetAffinity(Qlong thread, Dword mask, Qword* previous);

// Critical sections (recursive: the owner may enter again).
VELTRIA_API OsCriticalSection* OsMakeCriticalSection(void);
VELTRIA_API OsCriticalSection** OsDeleteCriticalSection(OsCriticalSection** section);
VELTRIA_API void OsEnterCriticalSection(OsCriticalSection* section);
VELTRIA_API void OsLeaveCriticalSection(OsCriticalSection* section);
VELTRIA_API Long OsTryEnterCriticalSection(OsCriticalSection* section);
