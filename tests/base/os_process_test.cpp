#include "base/os_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <latch>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/command_line.h"
#include "base/errors.h"
#include "base/os_services.h"
#include "base/platform/os_objects.h"
#include "base/platform/ui_hooks.h"
#include "support/temp_folder.h"

namespace {

using ProcessTest = TempFolderTest;

Qword Units(const FILETIME& t) { return (Qword{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

// Command lines split by the documented rules of the Windows C runtime and
// CommandLineToArgvW (the examples of that documentation among them).
TEST(CommandLineTest, SplitsByTheWindowsRules) {
  struct Row {
    const char* line;
    std::vector<std::string> args;
  };
  const Row rows[] = {
      {"", {}},
      {"   ", {}},
      {"prog", {"prog"}},
      {"  prog  a\tb  ", {"prog", "a", "b"}},
      {"\"C:\\Program Files\\x.exe\" a", {"C:\\Program Files\\x.exe", "a"}},
      {"C:\\dir\\x.exe\\\" a", {"C:\\dir\\x.exe\\\"", "a"}},  // no escapes in the name
      {"p \"a b c\" d e", {"p", "a b c", "d", "e"}},
      {"p \"ab\\\"c\" \"\\\\\" d", {"p", "ab\"c", "\\", "d"}},
      {"p a\\\\\\b d\"e f\"g h", {"p", "a\\\\\\b", "de fg", "h"}},
      {"p a\\\\\\\"b c d", {"p", "a\\\"b", "c", "d"}},
      {"p a\\\\\\\\\"b c\" d e", {"p", "a\\\\b c", "d", "e"}},
      {"p a\"b\"\" c d", {"p", "ab\" c d"}},
      {"p \"\" x", {"p", "", "x"}},
      {"p \"unterminated arg", {"p", "unterminated arg"}},
      {"p trailing\\", {"p", "trailing\\"}},
      {"p $HOME;x|y", {"p", "$HOME;x|y"}},
  };
  for (const Row& row : rows) {
    std::vector<std::string> got;
    ASSERT_TRUE(SplitCommandLine(row.line, &got));
    EXPECT_EQ(got, row.args) << "line: " << row.line;
  }
}

std::u16string Wide16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

OsProcess* Launch(const std::string& line, const std::string& folder = "") {
  std::u16string wide = Wide16(line);
  std::u16string dir = Wide16(folder);
  return OsProcessLaunch(wide.data(), folder.empty() ? nullptr : dir.c_str());
}

TEST_F(ProcessTest, ExitCodeOfACommandLine) {
  OsProcess* p = Launch("sh -c \"exit 7\"");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(LibLastError, 0u);
  EXPECT_GT(p->process_id, 0u);
  EXPECT_EQ(OsProcessWaitForTermination(p), 1);
  EXPECT_EQ(p->exit_code, 7u);
  EXPECT_EQ(OsProcessTest(p), 1);  // the ended process stays readable
  EXPECT_EQ(p->exit_code, 7u);
  OsProcessDetach(&p);
  EXPECT_EQ(p, nullptr);
}

TEST_F(ProcessTest, StillActiveWhileRunning) {
  // The child blocks opening the pipe until this test opens its other end.
  const std::string fifo = Path("gate");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  OsProcess* p = Launch("sh -c \"exec cat < '" + fifo + "' > /dev/null\"");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(OsProcessTest(p), 0);
  EXPECT_EQ(p->exit_code, 259u);
  EXPECT_TRUE(OsThreadIsActive(p->thread));
  const int fd = open(fifo.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  close(fd);
  EXPECT_EQ(OsProcessWaitForTermination(p), 1);
  EXPECT_EQ(p->exit_code, 0u);
  EXPECT_FALSE(OsThreadIsActive(p->thread));
  FILETIME c{}, e{}, k{}, u{};
  ASSERT_TRUE(OsProcessTimes(p->process, &c, &e, &k, &u));
  EXPECT_LE(Units(c), Units(e));
  OsProcessDetach(&p);
}

TEST_F(ProcessTest, ArgumentsReachTheProgramUnchangedByAShell) {
  OsProcess* p = Launch(
      "sh -c \"printf '%s/' \\\"$@\\\" > args.txt\" zero \"a b\" \"c\\\"d\" $HOME;x e\\\\f", dir_);
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(OsProcessWaitForTermination(p), 1);
  EXPECT_EQ(p->exit_code, 0u);
  OsProcessDetach(&p);
  EXPECT_EQ(ReadFile(Path("args.txt")), "a b/c\"d/$HOME;x/e\\\\f/");
}

TEST_F(ProcessTest, LaunchFailuresAndRecordChecks) {
  LibLastError = 0;
  EXPECT_EQ(Launch("/nonexistent/program arg"), nullptr);
  EXPECT_EQ(LibLastError, Dword{ENOENT});
  EXPECT_EQ(Launch(""), nullptr);
  EXPECT_EQ(Launch("true", Path("missing-folder")), nullptr);
  EXPECT_NE(LibLastError, 0u);

  EXPECT_EQ(OsProcessTest(nullptr), -3);
  EXPECT_EQ(OsProcessWaitForTermination(nullptr), -3);
  OsProcess unlaunched{-1, -1, 0, 0, 0};
  EXPECT_EQ(OsProcessTest(&unlaunched), -2);
  EXPECT_EQ(OsProcessWaitForTermination(&unlaunched), -2);
  unlaunched.process = 0;
  EXPECT_EQ(OsProcessTest(&unlaunched), -2);
  OsProcess* none = nullptr;
  OsProcessDetach(&none);
  OsProcessDetach(nullptr);
}

TEST_F(ProcessTest, DetachLeavesTheProcessRunning) {
  const std::string fifo = Path("gate");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  OsProcess* p = Launch("sh -c \"cat < gate > /dev/null; echo done > out.txt\"", dir_);
  ASSERT_NE(p, nullptr);
  const Qlong handle = p->process;
  const pid_t pid = static_cast<pid_t>(p->process_id);
  OsProcessDetach(&p);
  EXPECT_EQ(p, nullptr);
  OsProcess stale{handle, -1, 0, 0, 0};
  EXPECT_EQ(OsProcessTest(&stale), -1);  // the closed handle names nothing
  // The detached child goes on: it writes its file after the gate opens.
  const int fd = open(fifo.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  close(fd);
  // Looks until the child has written its file or is gone (reaped by the
  // library once it ended), so a failing child cannot hang the test.
  const std::string out = Path("out.txt");
  while (ReadFile(out) != "done\n" && kill(pid, 0) == 0) std::this_thread::yield();
  EXPECT_EQ(ReadFile(out), "done\n");
}

TEST_F(ProcessTest, RunApplication) {
  std::vector<std::string> messages;
  static std::vector<std::string>* shown;
  shown = &messages;
  UiHooks hooks{};
  hooks.message_box = [](const std::string&, const std::string& text, UiMessageType type) -> Long {
    shown->push_back(std::to_string(type) + ":" + text);
    return 1;
  };
  static int dialogs;
  dialogs = 0;
  hooks.file_dialog = [](const UiFileDialogRequest& request, std::string*) {
    ++dialogs;
    EXPECT_EQ(request.title, "Specify an application to run");
    EXPECT_TRUE(request.must_exist);
    return false;
  };
  UiHooksInstall(&hooks);

  Dword code = 12345;
  EXPECT_EQ(OsRunApplication(nullptr, nullptr, 0, 0, &code), -1);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(code, 12345u);

  EXPECT_EQ(OsRunApplication(u"/nonexistent/tool", nullptr, 0, 0, &code), 1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "1:Failed to launch\n/nonexistent/tool");
  EXPECT_EQ(OsRunApplication(u"/nonexistent/tool", nullptr, 0, 1, &code), 1);
  EXPECT_EQ(messages.size(), 1u);  // quiet: no box

  EXPECT_EQ(OsRunApplication(u"  /bin/false ", nullptr, 0, 0, &code), 0);
  EXPECT_EQ(code, 1u);
  code = 99;
  EXPECT_EQ(OsRunApplication(u"/bin/true", Wide16(dir_).c_str(), 0, 0, &code), 0);
  EXPECT_EQ(code, 0u);
}

TEST(ProcessTimesTest, CurrentProcessAndThread) {
  Dword pid = 0;
  const Qlong self = OsCurrentProcess(&pid);
  EXPECT_EQ(self, -1);
  EXPECT_EQ(pid, static_cast<Dword>(getpid()));
  FILETIME before{};
  WinSystemTimeAsFileTime(&before);
  FILETIME c{}, e{}, k{}, u{};
  ASSERT_TRUE(OsProcessTimes(self, &c, &e, &k, &u));
  EXPECT_LE(Units(c), Units(before));
  EXPECT_EQ(Units(e), 0u);
  // The same clock as the system time: started after 2020-01-01.
  EXPECT_GT(Units(c), 132223104000000000u);
  Dword tid = 0;
  Long level = -5;
  Qlong desktop = 7;
  const Qlong thread = OsThisThreadInfo(&tid, &level, &desktop);
  EXPECT_EQ(thread, -2);
  EXPECT_EQ(tid, static_cast<Dword>(gettid()));
  EXPECT_EQ(desktop, 0);
  if (getpriority(PRIO_PROCESS, 0) == 0) {
    EXPECT_EQ(level, kThreadNormal);
  }
  ASSERT_TRUE(OsThreadTimes(thread, &c, &e, &k, &u));
  EXPECT_LE(Units(c), Units(before));
  EXPECT_FALSE(OsProcessTimes(0, &c, &e, &k, &u));
}

// Threads: what each routine saw, guarded by a plain mutex of the test.
struct Probe {
  std::mutex lock;
  std::condition_variable done_cv;
  bool released = false;  // set before the thread is resumed
  bool saw_release = false;
  bool done = false;
};

Dword ProbeRoutine(void* arg) {
  Probe* probe = static_cast<Probe*>(arg);
  std::lock_guard<std::mutex> guard(probe->lock);
  probe->saw_release = probe->released;
  probe->done = true;
  probe->done_cv.notify_all();
  return 0;
}

void WaitUntilInactive(Qlong thread) {
  while (OsThreadIsActive(thread)) std::this_thread::yield();
}

TEST(ThreadTest, SuspendedUntilResumed) {
  Probe probe;
  Dword id = 0;
  Qlong thread = OsThreadCreate(ProbeRoutine, &probe, &id);
  ASSERT_NE(thread, 0);
  EXPECT_NE(id, 0u);
  EXPECT_TRUE(OsThreadIsActive(thread));
  // The thread exists (it has its id) but has not run its routine; whatever
  // it saw is recorded against the release flag set just before resuming.
  {
    std::lock_guard<std::mutex> guard(probe.lock);
    EXPECT_FALSE(probe.done);
    probe.released = true;
  }
  EXPECT_EQ(OsThreadResume(thread), 1u);
  {
    std::unique_lock<std::mutex> guard(probe.lock);
    probe.done_cv.wait(guard, [&] { return probe.done; });
  }
  EXPECT_TRUE(probe.saw_release);  // it ran only after the resume
  WaitUntilInactive(thread);
  EXPECT_EQ(OsThreadResume(thread), 0u);  // already running: nothing to resume
  FILETIME c{}, e{}, k{}, u{};
  ASSERT_TRUE(OsThreadTimes(thread, &c, &e, &k, &u));
  EXPECT_LE(Units(c), Units(e));
  EXPECT_EQ(OsKillHandle(&thread), 1);
  EXPECT_EQ(thread, -1);
  EXPECT_FALSE(OsThreadIsActive(thread));
  EXPECT_EQ(OsThreadResume(0), 0xFFFFFFFFu);
  EXPECT_EQ(OsThreadCreate(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(LibLastError, Dword{EINVAL});
}

TEST(ThreadTest, PriorityLevelsOpenAndAffinity) {
  Probe probe;
  Dword id = 0;
  Qlong thread = OsThreadCreate(ProbeRoutine, &probe, &id);
  ASSERT_NE(thread, 0);
  // While it waits to be resumed the thread exists and can be steered.
  if (getpriority(PRIO_PROCESS, static_cast<id_t>(id)) == 0) {
    EXPECT_EQ(OsThreadPriority(thread), kThreadNormal);
  }
  EXPECT_TRUE(OsThreadSetPriority(thread, kThreadLowest));
  EXPECT_EQ(OsThreadPriority(thread), kThreadLowest);
  EXPECT_TRUE(OsThreadSetPriority(thread, kThreadIdle));
  EXPECT_EQ(OsThreadPriority(thread), kThreadIdle);
  EXPECT_FALSE(OsThreadSetPriority(thread, 7));
  EXPECT_FALSE(OsThreadSetPriority(thread, -1));
  EXPECT_EQ(OsThreadPriority(thread), kThreadIdle);  // refused levels change nothing
  EXPECT_FALSE(OsThreadSetPriority(0, kThreadNormal));
  EXPECT_EQ(OsThreadPriority(0), -1);
  // A nice value outside the level table reads as -1.
  ASSERT_EQ(setpriority(PRIO_PROCESS, static_cast<id_t>(id), 12), 0);
  EXPECT_EQ(OsThreadPriority(thread), -1);

  Qlong opened = OsThreadOpen(id);
  ASSERT_NE(opened, 0);
  EXPECT_NE(opened, thread);
  EXPECT_TRUE(OsThreadIsActive(opened));
  EXPECT_EQ(OsThreadOpen(static_cast<Dword>(gettid())), 0);  // not one of ours
  EXPECT_EQ(LibLastError, Dword{ESRCH});

  Qword previous = 0;
  EXPECT_EQ(OsThreadSetAffinity(thread, 0x1, &previous), 1);
  EXPECT_NE(previous, 0u);
  EXPECT_EQ(OsThreadSetAffinity(thread, 0x1, &previous), 1);
  EXPECT_EQ(previous, 1u);
  previous = 77;
  EXPECT_EQ(OsThreadSetAffinity(0, 0x1, &previous), 0);
  EXPECT_EQ(previous, 77u);  // nothing written for a null handle

  {
    std::lock_guard<std::mutex> guard(probe.lock);
    probe.released = true;
  }
  EXPECT_EQ(OsThreadResume(opened), 1u);  // either handle resumes it
  WaitUntilInactive(thread);
  EXPECT_FALSE(OsThreadIsActive(opened));
  EXPECT_EQ(OsThreadOpen(id), 0);  // ended threads cannot be opened
  EXPECT_EQ(OsKillHandle(&opened), 1);
  EXPECT_EQ(OsKillHandle(&thread), 1);
}

struct OwnLevels {
  Long before = -9, old = -9, after = -9;
  unsigned char set = 0, refused = 1;
};

// Run on a thread of its own: a lowered priority cannot always be raised
// again without privilege, so the test's own thread keeps its level.
Dword LowerOwnPriority(void* arg) {
  OwnLevels* o = static_cast<OwnLevels*>(arg);
  OsThisThreadInfo(nullptr, &o->before, nullptr);
  o->set = OsThisThreadSetPriority(kThreadBelowNormal, &o->old);
  o->after = OsThreadPriority(-2);
  o->refused = OsThisThreadSetPriority(9, nullptr);
  return 0;
}

TEST(ThreadTest, ThisThreadSetPriority) {
  OwnLevels o;
  Qlong t = OsThreadCreate(LowerOwnPriority, &o, nullptr);
  ASSERT_NE(t, 0);
  OsThreadResume(t);
  WaitUntilInactive(t);
  EXPECT_EQ(o.old, o.before);
  EXPECT_EQ(o.set, 1);
  EXPECT_EQ(o.after, kThreadBelowNormal);
  EXPECT_EQ(o.refused, 0);
  OsKillHandle(&t);
}

struct Shared {
  OsCriticalSection* section = nullptr;
  Qword counter = 0;  // plain: only the critical section protects it
  Long try_result = -1;
  std::latch* finished = nullptr;
};

Dword TryFromOtherThread(void* arg) {
  Shared* s = static_cast<Shared*>(arg);
  s->try_result = OsTryEnterCriticalSection(s->section);
  if (s->try_result) OsLeaveCriticalSection(s->section);
  s->finished->count_down();
  return 0;
}

Dword Increment(void* arg) {
  Shared* s = static_cast<Shared*>(arg);
  for (int i = 0; i < 20000; ++i) {
    OsEnterCriticalSection(s->section);
    OsEnterCriticalSection(s->section);  // the owner may enter again
    ++s->counter;
    OsLeaveCriticalSection(s->section);
    OsLeaveCriticalSection(s->section);
  }
  s->finished->count_down();
  return 0;
}

TEST(CriticalSectionTest, OwnerEntersTwiceOthersWait) {
  Shared s;
  s.section = OsMakeCriticalSection();
  ASSERT_NE(s.section, nullptr);
  OsEnterCriticalSection(s.section);
  OsEnterCriticalSection(s.section);
  EXPECT_EQ(OsTryEnterCriticalSection(s.section), 1);
  {
    std::latch finished(1);
    s.finished = &finished;
    Qlong t = OsThreadCreate(TryFromOtherThread, &s, nullptr);
    ASSERT_NE(t, 0);
    OsThreadResume(t);
    finished.wait();
    WaitUntilInactive(t);        // done with the latch before it goes
    EXPECT_EQ(s.try_result, 0);  // held by this thread
    OsKillHandle(&t);
  }
  OsLeaveCriticalSection(s.section);
  OsLeaveCriticalSection(s.section);
  {
    std::latch finished(1);
    s.finished = &finished;
    Qlong t = OsThreadCreate(TryFromOtherThread, &s, nullptr);
    OsThreadResume(t);
    finished.wait();
    WaitUntilInactive(t);        // done with the latch before it goes
    EXPECT_EQ(s.try_result, 0);  // entered three times, left twice: still held
    OsKillHandle(&t);
  }
  OsLeaveCriticalSection(s.section);
  {
    std::latch finished(1);
    s.finished = &finished;
    Qlong t = OsThreadCreate(TryFromOtherThread, &s, nullptr);
    OsThreadResume(t);
    finished.wait();
    WaitUntilInactive(t);        // done with the latch before it goes
    EXPECT_EQ(s.try_result, 1);  // free now
    OsKillHandle(&t);
  }
  OsCriticalSection** address = &s.section;
  EXPECT_EQ(OsDeleteCriticalSection(address), address);
  EXPECT_EQ(s.section, nullptr);
  EXPECT_EQ(OsDeleteCriticalSection(address), address);  // already gone: nothing
  EXPECT_EQ(OsTryEnterCriticalSection(nullptr), 0);
}

TEST(CriticalSectionTest, ContentionKeepsEveryIncrement) {
  constexpr int kThreads = 4;
  Shared s;
  s.section = OsMakeCriticalSection();
  ASSERT_NE(s.section, nullptr);
  std::latch finished(kThreads);
  s.finished = &finished;
  Qlong threads[kThreads];
  for (Qlong& t : threads) {
    t = OsThreadCreate(Increment, &s, nullptr);
    ASSERT_NE(t, 0);
  }
  for (Qlong t : threads) EXPECT_EQ(OsThreadResume(t), 1u);
  finished.wait();
  OsEnterCriticalSection(s.section);
  EXPECT_EQ(s.counter, Qword{kThreads} * 20000);
  OsLeaveCriticalSection(s.section);
  for (Qlong& t : threads) {
    WaitUntilInactive(t);
    OsKillHandle(&t);
  }
  OsDeleteCriticalSection(&s.section);
}

}  // namespace
