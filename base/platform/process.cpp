#include "base/platform/process.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <mutex>
#include <new>
#include <thread>

#include "base/platform/os_objects.h"
#include "base/platform/process_object.h"

extern char** environ;

namespace {

constexpr Qword kUnitsPerSecond = 10000000;  // 100 ns units

Qword ToUnits(const FILETIME& t) { return (Qword{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

Qword NowUnits() {
  FILETIME now{};
  WinSystemTimeAsFileTime(&now);
  return ToUnits(now);
}

Qword TimevalUnits(const timeval& tv) {
  return static_cast<Qword>(tv.tv_sec) * kUnitsPerSecond + static_cast<Qword>(tv.tv_usec) * 10;
}

// Ends a process that nobody watches any more without leaving a zombie.
void ReapInBackground(pid_t pid) {
  try {
    std::thread([pid] {
      int status = 0;
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (...) {
    // Without a thread the child stays a zombie until this process ends.
  }
}

}  // namespace

FILETIME PlatformFileTime(Qword units) {
  return FILETIME{static_cast<Dword>(units & 0xFFFFFFFFu), static_cast<Dword>(units >> 32)};
}

ProcessObject::~ProcessObject() {
  if (!Poll(false)) ReapInBackground(pid);
}

bool ProcessObject::Poll(bool wait) {
  std::lock_guard<std::mutex> guard(lock);
  if (ended) return true;
  int status = 0;
  rusage usage{};
  pid_t got;
  do {
    got = wait4(pid, &status, wait ? 0 : WNOHANG, &usage);
  } while (got < 0 && errno == EINTR);
  if (got != pid) return false;
  ended = true;
  exit_code = WIFEXITED(status) ? static_cast<Dword>(WEXITSTATUS(status))
                                : 128u + static_cast<Dword>(WTERMSIG(status));
  exit_units = NowUnits();
  kernel_units = TimevalUnits(usage.ru_stime);
  user_units = TimevalUnits(usage.ru_utime);
  return true;
}

Dword WinProcessLaunch(const std::vector<std::string>& argv, const std::string& folder,
                       Qlong* process, Qlong* thread, Dword* process_id) {
  if (argv.empty() || argv[0].empty()) {
    errno = ENOENT;
    return 0;
  }
  std::vector<char*> args;
  try {
    args.reserve(argv.size() + 1);
  } catch (const std::bad_alloc&) {
    errno = ENOMEM;
    return 0;
  }
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  int rc = posix_spawn_file_actions_init(&actions);
  if (rc != 0) {
    errno = rc;
    return 0;
  }
  if (!folder.empty()) rc = posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = 0;
  const Qword started = NowUnits();
  if (rc == 0) rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    errno = rc;
    return 0;
  }
  ProcessObject* created = new (std::nothrow) ProcessObject;
  if (!created) {
    ReapInBackground(pid);
    errno = ENOMEM;
    return 0;
  }
  OsRef<ProcessObject> object(created);
  object->pid = pid;
  object->creation_units = started;
  const Qlong p = OsObjectInsert(object.get());
  const Qlong t = p ? OsObjectInsert(object.get()) : 0;
  if (!t) {
    if (p) WinKillHandle(p);
    errno = ENOMEM;
    return 0;  // the object's destructor reaps the child
  }
  *process = p;
  *thread = t;
  *process_id = static_cast<Dword>(pid);
  return 1;
}

Dword WinProcessTest(Qlong process, Dword* exit_code) {
  OsRef<ProcessObject> object = PlatformFindProcess(process);
  if (!object) {
    errno = EBADF;
    return 0;
  }
  *exit_code = object->Poll(false) ? object->exit_code : kStillActive;
  return 1;
}

Dword WinProcessWaitForTermination(Qlong process) {
  OsRef<ProcessObject> object = PlatformFindProcess(process);
  if (!object) {
    errno = EBADF;
    return 0;
  }
  return object->Poll(true) ? 1 : 0;
}

Dword WinProcessId(Qlong process) {
  if (process == kPseudoCurrentProcess) return static_cast<Dword>(getpid());
  OsRef<ProcessObject> object = PlatformFindProcess(process);
  return object ? static_cast<Dword>(object->pid) : 0;
}

Dword PlatformTaskTimes(Dword pid, Dword tid, FILETIME* creation, FILETIME* kernel,
                        FILETIME* user) {
  char path[64];
  if (tid)
    std::snprintf(path, sizeof path, "/proc/%u/task/%u/stat", pid, tid);
  else
    std::snprintf(path, sizeof path, "/proc/%u/stat", pid);
  std::FILE* f = std::fopen(path, "re");
  if (!f) return 0;
  char line[1024];
  const bool got = std::fgets(line, sizeof line, f) != nullptr;
  std::fclose(f);
  if (!got) {
    errno = EIO;
    return 0;
  }
  // The name in parentheses may hold blanks; the fields follow its last ')'.
  const char* p = nullptr;
  for (const char* c = line; *c; ++c)
    if (*c == ')') p = c;
  if (!p) {
    errno = EIO;
    return 0;
  }
  Qword utime = 0, stime = 0, start = 0;
  // Fields 3 (state) to 22 (start time); 14 and 15 are user and system time.
  if (std::sscanf(p + 1,
                  " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %" SCNu64 " %" SCNu64
                  " %*d %*d %*d %*d %*d %*d %" SCNu64,
                  &utime, &stime, &start) != 3) {
    errno = EIO;
    return 0;
  }
  const auto ticks_per_second = sysconf(_SC_CLK_TCK);
  const Qword per_tick =
      ticks_per_second > 0 ? kUnitsPerSecond / static_cast<Qword>(ticks_per_second) : 100000;
  timespec boot{};
  clock_gettime(CLOCK_BOOTTIME, &boot);
  const Qword since_boot =
      static_cast<Qword>(boot.tv_sec) * kUnitsPerSecond + static_cast<Qword>(boot.tv_nsec) / 100;
  const Qword age = since_boot > start * per_tick ? since_boot - start * per_tick : 0;
  *creation = PlatformFileTime(NowUnits() - age);
  *kernel = PlatformFileTime(stime * per_tick);
  *user = PlatformFileTime(utime * per_tick);
  return 1;
}

Dword WinProcessTimes(Qlong process, FILETIME* creation, FILETIME* exit, FILETIME* kernel,
                      FILETIME* user) {
  if (process == kPseudoCurrentProcess) {
    *exit = PlatformFileTime(0);
    return PlatformTaskTimes(static_cast<Dword>(getpid()), 0, creation, kernel, user);
  }
  OsRef<ProcessObject> object = PlatformFindProcess(process);
  if (!object) {
    errno = EBADF;
    return 0;
  }
  if (!object->Poll(false)) {
    *exit = PlatformFileTime(0);
    return PlatformTaskTimes(static_cast<Dword>(object->pid), 0, creation, kernel, user);
  }
  *creation = PlatformFileTime(object->creation_units);
  *exit = PlatformFileTime(object->exit_units);
  *kernel = PlatformFileTime(object->kernel_units);
  *user = PlatformFileTime(object->user_units);
  return 1;
}

Qlong WinCurrentProcess(Dword* process_id) {
  if (process_id) *process_id = static_cast<Dword>(getpid());
  return kPseudoCurrentProcess;
}
