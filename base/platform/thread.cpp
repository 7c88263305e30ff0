#include "base/platform/thread.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <new>
#include <unordered_map>

#include "base/platform/os_objects.h"
#include "base/platform/process.h"
#include "base/platform/process_object.h"

namespace {

struct ThreadObject : OsObject {
  std::mutex lock;
  std::condition_variable changed;
  OsThreadStart start = nullptr;
  void* parameter = nullptr;
  pid_t tid = 0;  // 0 until the thread has started
  Dword suspend_count = 1;
  bool active = true;
  Qword creation_units = 0, exit_units = 0, kernel_units = 0, user_units = 0;
};

// Threads made here that still exist, by id, so WinThreadOpen can find them.
struct Registry {
  std::mutex lock;
  std::unordered_map<pid_t, ThreadObject*> threads;  // no reference held
};
Registry& TheRegistry() {
  static Registry* registry = new Registry;  // threads may outlive static destruction
  return *registry;
}

Qword Units(const FILETIME& t) { return (Qword{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

void* ThreadMain(void* arg) {
  // The thread holds its own reference for as long as it runs.
  OsRef<ThreadObject> self(static_cast<ThreadObject*>(arg));
  const pid_t tid = gettid();
  {
    std::lock_guard<std::mutex> guard(TheRegistry().lock);
    try {
      TheRegistry().threads[tid] = self.get();
    } catch (const std::bad_alloc&) {
      // Not openable by id; everything else works.
    }
  }
  {
    std::unique_lock<std::mutex> guard(self->lock);
    self->tid = tid;
    self->changed.notify_all();
    self->changed.wait(guard, [&] { return self->suspend_count == 0; });
  }
  self->start(self->parameter);  // its exit code has no reader here
  FILETIME creation{}, kernel{}, user{};
  const bool timed = PlatformTaskTimes(static_cast<Dword>(getpid()), static_cast<Dword>(tid),
                                       &creation, &kernel, &user) != 0;
  FILETIME now{};
  WinSystemTimeAsFileTime(&now);
  {
    std::lock_guard<std::mutex> guard(TheRegistry().lock);
    TheRegistry().threads.erase(tid);
  }
  std::lock_guard<std::mutex> guard(self->lock);
  if (timed) {
    self->creation_units = Units(creation);
    self->kernel_units = Units(kernel);
    self->user_units = Units(user);
  }
  self->exit_units = Units(now);
  self->active = false;
  return nullptr;
}

OsRef<ThreadObject> FindThread(Qlong handle) { return OsObjectFind<ThreadObject>(handle); }

// The kernel's id of the thread behind a handle: a thread of ours, the
// calling thread, or the first thread of a process handle.
bool HandleTid(Qlong handle, pid_t* tid) {
  if (handle == kPseudoCurrentThread) {
    *tid = gettid();
    return true;
  }
  if (OsRef<ThreadObject> t = FindThread(handle)) {
    std::lock_guard<std::mutex> guard(t->lock);
    if (!t->active) {
      errno = ESRCH;
      return false;
    }
    *tid = t->tid;
    return true;
  }
  if (OsRef<ProcessObject> p = PlatformFindProcess(handle)) {
    if (p->Poll(false)) {
      errno = ESRCH;
      return false;
    }
    *tid = p->pid;
    return true;
  }
  errno = EBADF;
  return false;
}

struct LevelRow {
  Long level;
  Long nice;
};
// Idle, lowest, below normal, normal, above normal, highest, time-critical.
constexpr LevelRow kLevels[] = {{0, 19}, {1, 10}, {2, 5}, {3, 0}, {4, -5}, {5, -10}, {6, -20}};

}  // namespace

Qlong WinThreadCreate(OsThreadStart start, void* parameter, Dword* thread_id) {
  if (!start) {
    errno = EINVAL;
    return 0;
  }
  ThreadObject* created = new (std::nothrow) ThreadObject;
  if (!created) {
    errno = ENOMEM;
    return 0;
  }
  OsRef<ThreadObject> object(created);
  object->start = start;
  object->parameter = parameter;
  FILETIME now{};
  WinSystemTimeAsFileTime(&now);
  object->creation_units = Units(now);
  const Qlong handle = OsObjectInsert(object.get());
  if (!handle) return 0;
  OsObjectRetain(object.get());  // the thread's own reference
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
  pthread_t thread;
  const int rc = pthread_create(&thread, &attr, ThreadMain, object.get());
  pthread_attr_destroy(&attr);
  if (rc != 0) {
    OsObjectRelease(object.get());
    WinKillHandle(handle);
    errno = rc;
    return 0;
  }
  // The id exists once the thread has started; it then waits to be resumed.
  std::unique_lock<std::mutex> guard(object->lock);
  object->changed.wait(guard, [&] { return object->tid != 0; });
  if (thread_id) *thread_id = static_cast<Dword>(object->tid);
  return handle;
}

Dword WinThreadResume(Qlong thread) {
  OsRef<ThreadObject> t = FindThread(thread);
  if (!t) {
    // A process's first thread and the calling thread are running.
    pid_t tid = 0;
    return HandleTid(thread, &tid) ? 0 : 0xFFFFFFFFu;
  }
  std::lock_guard<std::mutex> guard(t->lock);
  const Dword before = t->suspend_count;
  if (before) {
    t->suspend_count = 0;
    t->changed.notify_all();
  }
  return before;
}

Qlong WinThreadOpen(Dword thread_id) {
  // The registry lock is held while the handle is made: the thread removes
  // itself under it before it lets go of its own reference.
  std::lock_guard<std::mutex> guard(TheRegistry().lock);
  auto it = TheRegistry().threads.find(static_cast<pid_t>(thread_id));
  if (it == TheRegistry().threads.end()) {
    errno = ESRCH;
    return 0;
  }
  return OsObjectInsert(it->second);
}

Dword WinThreadIsActive(Qlong thread, bool* active) {
  if (thread == kPseudoCurrentThread) {
    *active = true;
    return 1;
  }
  if (OsRef<ThreadObject> t = FindThread(thread)) {
    std::lock_guard<std::mutex> guard(t->lock);
    *active = t->active;
    return 1;
  }
  if (OsRef<ProcessObject> p = PlatformFindProcess(thread)) {
    *active = !p->Poll(false);
    return 1;
  }
  errno = EBADF;
  return 0;
}

Dword WinThreadPriority(Qlong thread, Long* priority) {
  pid_t tid = 0;
  if (!HandleTid(thread, &tid)) return 0;
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
  if (nice == -1 && errno != 0) return 0;
  *priority = nice;
  return 1;
}

Dword WinThreadSetPriority(Qlong thread, Long priority) {
  pid_t tid = 0;
  if (!HandleTid(thread, &tid)) return 0;
  return setpriority(PRIO_PROCESS, static_cast<id_t>(tid), priority) == 0 ? 1 : 0;
}

Long WinPriorityToLevel(Long priority) {
  for (const LevelRow& row : kLevels)
    if (row.nice == priority) return row.level;
  return -1;
}

Long WinLevelToPriority(Long level) {
  for (const LevelRow& row : kLevels)
    if (row.level == level) return row.nice;
  return -1;
}

Qlong WinThisThreadInfo(Dword* thread_id, Qlong* desktop) {
  if (thread_id) *thread_id = static_cast<Dword>(gettid());
  if (desktop) *desktop = 0;
  return kPseudoCurrentThread;
}

Dword WinThreadSetAffinity(Qlong thread, Qword mask, Qword* previous) {
  pid_t tid = 0;
  if (!HandleTid(thread, &tid)) return 0;
  cpu_set_t old_set, new_set;
  CPU_ZERO(&old_set);
  if (sched_getaffinity(tid, sizeof old_set, &old_set) != 0) return 0;
  CPU_ZERO(&new_set);
  Qword old_mask = 0;
  for (int cpu = 0; cpu < 64; ++cpu) {
    if (CPU_ISSET(cpu, &old_set)) old_mask |= Qword{1} << cpu;
    if (mask & (Qword{1} << cpu)) CPU_SET(cpu, &new_set);
  }
  if (sched_setaffinity(tid, sizeof new_set, &new_set) != 0) return 0;
  *previous = old_mask;
  return 1;
}

Dword WinThreadTimes(Qlong thread, FILETIME* creation, FILETIME* exit, FILETIME* kernel,
                     FILETIME* user) {
  if (OsRef<ThreadObject> t = FindThread(thread)) {
    std::unique_lock<std::mutex> guard(t->lock);
    if (!t->active) {
      *creation = PlatformFileTime(t->creation_units);
      *exit = PlatformFileTime(t->exit_units);
      *kernel = PlatformFileTime(t->kernel_units);
      *user = PlatformFileTime(t->user_units);
      return 1;
    }
  }
  pid_t tid = 0;
  if (!HandleTid(thread, &tid)) return 0;
  // A process handle stands for the first thread of that process.
  OsRef<ProcessObject> p = PlatformFindProcess(thread);
  const pid_t pid = p ? p->pid : getpid();
  *exit = PlatformFileTime(0);
  return PlatformTaskTimes(static_cast<Dword>(pid), static_cast<Dword>(tid), creation, kernel,
                           user);
}
